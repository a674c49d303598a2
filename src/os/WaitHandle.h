#pragma once

#include <cstdint>

namespace lintavo::os {

// What the event loop watches for requests that other processes or the system send the running
// program: it becomes readable when one arrives (a file descriptor on POSIX). kNoWaitHandle where
// the system brings such requests to the windows itself, as Windows does.
using WaitHandle = std::intptr_t;
inline constexpr WaitHandle kNoWaitHandle = -1;

}  // namespace lintavo::os
