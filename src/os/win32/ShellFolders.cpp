#include "os/ShellFolders.h"

#include <shlobj.h>

#include "base/PathText.h"
#include "os/win32/ShellFolderPath.h"

namespace lintavo::os {

std::string GetSpecialFolder(SpecialFolder folder) {
  switch (folder) {
    case SpecialFolder::kAppData:
      return win32::ShellFolderPath(CSIDL_APPDATA);
    case SpecialFolder::kDesktopDirectory:
      return win32::ShellFolderPath(CSIDL_DESKTOPDIRECTORY);
    case SpecialFolder::kPersonal:
      return win32::ShellFolderPath(CSIDL_PERSONAL);
  }
  return std::string();
}

// The Quick Launch bar shows the shortcuts of this folder in the user's roaming data.
std::string QuickLaunchFolder() {
  const std::string appData = win32::ShellFolderPath(CSIDL_APPDATA);
  return appData.empty() ? std::string()
                         : base::JoinPath(appData, "Microsoft\\Internet Explorer\\Quick Launch");
}

}  // namespace lintavo::os
