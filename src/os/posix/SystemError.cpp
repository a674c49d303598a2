#include "os/SystemError.h"

#include <cerrno>
#include <cstring>

namespace lintavo::os {

int LastSystemError() {
  return errno;
}

std::string SystemErrorMessage(int code) {
  char buffer[256];
  // The GNU strerror_r returns the text, which may or may not be in `buffer`.
  return strerror_r(code, buffer, sizeof buffer);
}

}  // namespace lintavo::os
