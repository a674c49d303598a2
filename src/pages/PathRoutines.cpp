#include "pages/PathRoutines.h"

#include "os/PathText.h"

namespace lintavo {

std::string WithTrailingBackslash(const std::string& path) {
  return os::WithTrailingDelimiter(path);
}

}  // namespace lintavo
