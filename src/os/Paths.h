#pragma once

#include <string>

namespace lintavo::os {

#ifdef _WIN32
inline constexpr char kPathDelimiter = '\\';
#else
inline constexpr char kPathDelimiter = '/';
#endif

// The folder of the running executable, symlinks resolved, ending in kPathDelimiter.
std::string ProgramFolder();

// The full path of the running executable, exactly as the system reports it.
std::string ProgramPath();

}  // namespace lintavo::os
