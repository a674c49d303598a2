#include "os/ShellFolders.h"

#include "base/PathText.h"
#include "os/posix/XdgFolders.h"

namespace lintavo::os {

namespace {

// A folder under $HOME; empty (never "/name") when there is no home folder.
std::string HomeSubfolder(std::string_view name) {
  const std::string home = posix::HomeFolder();
  return home.empty() ? std::string() : base::JoinPath(home, name);
}

}  // namespace

std::string GetSpecialFolder(SpecialFolder folder) {
  switch (folder) {
    case SpecialFolder::kAppData:
      return posix::ConfigHome();
    case SpecialFolder::kDesktopDirectory:
      return posix::UserDirectory("DESKTOP").value_or(HomeSubfolder("Desktop"));
    case SpecialFolder::kPersonal:
      return posix::UserDirectory("DOCUMENTS").value_or(HomeSubfolder("Documents"));
  }
  return {};
}

std::string QuickLaunchFolder() {
  const std::string dataHome = posix::DataHome();
  return dataHome.empty() ? std::string() : base::JoinPath(dataHome, "applications");
}

}  // namespace lintavo::os
