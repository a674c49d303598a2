#include "browsers/BrowserFiles.h"

namespace lintavo::browsers {

std::optional<std::string> ReadBrowserFile(const std::string& path) {
  std::string bytes;
  if (os::ReadFileUpTo(path, kMaxBrowserFileSize, bytes) != 0) {
    return std::nullopt;
  }
  return bytes;
}

os::ExistingFile ReadPreferenceFile(const std::string& path, std::string& bytes) {
  return os::ReadFileToRewrite(path, bytes, kMaxPreferenceFileSize);
}

}  // namespace lintavo::browsers
