#pragma once

#include <string>

namespace lintavo::os {

// The calling thread's last system error code (errno on POSIX, GetLastError on Windows).
int LastSystemError();

// The system's own text for an error code, as shown after a file name in a failure message.
std::string SystemErrorMessage(int code);

}  // namespace lintavo::os
