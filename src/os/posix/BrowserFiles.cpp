#include "os/posix/BrowserFiles.h"

#include "os/Files.h"

namespace lintavo::os::posix {

std::optional<std::string> ReadBrowserFile(const std::string& path) {
  std::string bytes;
  if (ReadFileUpTo(path, kMaxBrowserFileSize, bytes) != 0) {
    return std::nullopt;
  }
  return bytes;
}

}  // namespace lintavo::os::posix
