#pragma once

#include <string>

namespace lintavo::os {

// Starts `program` detached, with `parameters` passed unchanged as its one argument, the way the
// shell's "open" verb starts a program (no shell in between). True when the program was started.
bool ShellExecuteOpen(const std::string& program, const std::string& parameters);

}  // namespace lintavo::os
