#include "os/posix/BrowserFiles.h"

#include <cerrno>

namespace lintavo::os::posix {

std::optional<std::string> ReadBrowserFile(const std::string& path) {
  std::string bytes;
  if (ReadFileUpTo(path, kMaxBrowserFileSize, bytes) != 0) {
    return std::nullopt;
  }
  return bytes;
}

ExistingFile ReadPreferenceFile(const std::string& path, std::string& bytes) {
  const ErrorCode error = ReadFileUpTo(path, kMaxPreferenceFileSize, bytes);
  if (error == 0) {
    return ExistingFile::Read;
  }
  return error == ENOENT ? ExistingFile::Missing : ExistingFile::Unreadable;
}

}  // namespace lintavo::os::posix
