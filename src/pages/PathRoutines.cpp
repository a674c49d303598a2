#include "pages/PathRoutines.h"

#include "base/PathText.h"

namespace lintavo {

std::string WithTrailingBackslash(const std::string& path) {
  return base::WithTrailingDelimiter(path);
}

}  // namespace lintavo
