#pragma once

#include <optional>
#include <string>

namespace lintavo::os::posix {

// The executable file `name` (a name without '/') in the first folder of $PATH that has one, as
// the shell finds it; the system's default search path when PATH is unset. Empty and relative
// PATH entries are skipped, so a program is never picked from the current folder.
std::optional<std::string> FindProgramOnPath(const std::string& name);

}  // namespace lintavo::os::posix
