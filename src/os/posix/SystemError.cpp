#include "os/SystemError.h"

#include <cerrno>
#include <cstring>

namespace lintavo::os {

ErrorCode ErrorCodeOf(ErrorCondition condition) {
  switch (condition) {
    case ErrorCondition::kNotFound:
      return ENOENT;
    case ErrorCondition::kIsAFolder:
      return EISDIR;
    case ErrorCondition::kInvalidData:
      return EINVAL;
    case ErrorCondition::kFileTooLarge:
      return EFBIG;
  }
  return EINVAL;
}

std::string SystemErrorMessage(ErrorCode code) {
  char buffer[256];
  // The GNU strerror_r returns the text, which may or may not be in `buffer`.
  return strerror_r(code, buffer, sizeof buffer);
}

}  // namespace lintavo::os
