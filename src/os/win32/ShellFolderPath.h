#pragma once

#include <string>

namespace lintavo::os::win32 {

// The folder the shell names for a CSIDL_ constant, whether or not it exists yet, without a
// trailing delimiter; empty when the shell names none.
std::string ShellFolderPath(int csidl);

}  // namespace lintavo::os::win32
