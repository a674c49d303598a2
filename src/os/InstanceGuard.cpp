#include "os/InstanceGuard.h"

#include "base/PathText.h"

namespace lintavo::os {

std::string InstanceGuard::MappingName(const std::string& executablePath) {
  std::string name = executablePath;
  std::erase(name, base::kPathDelimiter);
  return name;
}

}  // namespace lintavo::os
