#pragma once

#include <string>

namespace lintavo::os {

// The shell's special folders the program asks for.
enum class SpecialFolder {
  kAppData,           // the user's application data (CSIDL_APPDATA on Windows)
  kDesktopDirectory,  // the folder shown as the desktop (CSIDL_DESKTOPDIRECTORY on Windows)
  kPersonal,          // the user's documents (CSIDL_PERSONAL), where it is or would be made
};

// The path of a shell special folder, without a trailing delimiter; empty when the system has no
// such folder.
std::string GetSpecialFolder(SpecialFolder folder);

// The folder whose shortcuts appear in the desktop's quick-start place (the Quick Launch bar on
// Windows, the launcher menu on a freedesktop system). Empty when it cannot be determined.
std::string QuickLaunchFolder();

}  // namespace lintavo::os
