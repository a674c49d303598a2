#pragma once

#include <string>

namespace lintavo::os {

// Shell special-folder numbers the program asks for.
inline constexpr int CSIDL_DESKTOPDIRECTORY = 16;
inline constexpr int CSIDL_APPDATA = 26;

// The path of a shell special folder, without a trailing delimiter; empty when the system has no
// such folder.
std::string GetSpecialFolder(int csidl);

// The folder whose shortcuts appear in the desktop's quick-start place (the Quick Launch bar on
// Windows, the launcher menu on a freedesktop system). Empty when it cannot be determined.
std::string QuickLaunchFolder();

}  // namespace lintavo::os
