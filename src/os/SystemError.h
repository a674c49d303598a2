#pragma once

#include <string>

namespace lintavo::os {

// A failure the system reported, as the system's own number (errno on POSIX, a Windows error code
// on Windows); 0 is success. Only the os layer reads the number: everything above passes it on,
// shows it with SystemErrorMessage, or prints it in "System Error.  Code: <n>.".
using ErrorCode = int;

// Failures that the program finds for itself, given the code the system has for them, so that
// they read like the system's own.
enum class ErrorCondition {
  kNotFound,      // no such file or folder
  kIsAFolder,     // a folder where a file belongs
  kInvalidData,   // data or a request that is not what it must be
  kFileTooLarge,  // more than the file or its format can hold
};
ErrorCode ErrorCodeOf(ErrorCondition condition);

// The system's own text for an error code, as shown after a file name in a failure message.
std::string SystemErrorMessage(ErrorCode code);

}  // namespace lintavo::os
