#pragma once

#include <string>

namespace lintavo::os {

// The folder of the running executable, symlinks resolved, ending in base::kPathDelimiter.
std::string ProgramFolder();

// The full path of the running executable, exactly as the system reports it.
std::string ProgramPath();

}  // namespace lintavo::os
