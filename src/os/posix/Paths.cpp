#include "os/Paths.h"

#include <limits.h>
#include <unistd.h>

namespace lintavo::os {

std::string ProgramPath() {
  // The kernel's link names the executable itself, with every symlink on the way resolved.
  char buffer[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  return length > 0 ? std::string(buffer, static_cast<std::size_t>(length)) : std::string();
}

std::string ProgramFolder() {
  const std::string path = ProgramPath();
  return path.substr(0, path.find_last_of('/') + 1);
}

}  // namespace lintavo::os
