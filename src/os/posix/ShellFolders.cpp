#include "os/ShellFolders.h"

#include "os/posix/XdgFolders.h"

namespace lintavo::os {

namespace {

// A folder under $HOME; empty (never "/name") when there is no home folder.
std::string HomeSubfolder(std::string_view name) {
  const std::string home = posix::HomeFolder();
  return home.empty() ? std::string() : posix::JoinPath(home, name);
}

}  // namespace

std::string GetSpecialFolder(int csidl) {
  switch (csidl) {
    case CSIDL_APPDATA:
      return posix::ConfigHome();
    case CSIDL_DESKTOPDIRECTORY:
      return posix::UserDirectory("DESKTOP").value_or(HomeSubfolder("Desktop"));
    default:
      return {};
  }
}

std::string QuickLaunchFolder() {
  const std::string dataHome = posix::DataHome();
  return dataHome.empty() ? std::string() : posix::JoinPath(dataHome, "applications");
}

}  // namespace lintavo::os
