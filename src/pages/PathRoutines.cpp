#include "pages/PathRoutines.h"

#include "os/Paths.h"

namespace lintavo {

std::string WithTrailingBackslash(const std::string& path) {
  if (path.empty() || path.back() == os::kPathDelimiter) {
    return path;
  }
  return path + os::kPathDelimiter;
}

}  // namespace lintavo
