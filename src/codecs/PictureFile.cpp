#include "codecs/PictureFile.h"

#include "base/Failure.h"
#include "os/Files.h"

namespace lintavo {

os::ErrorCode PictureFile::Open(const std::string& path) {
  path_ = path;
  std::FILE* file = nullptr;
  if (const os::ErrorCode error = os::OpenFileForReading(path, file)) {
    return error;
  }
  file_.reset(file);
  // A plain file can be measured by seeking to its end.
  const long end = std::fseek(file, 0, SEEK_END) == 0 ? std::ftell(file) : -1;
  if (end < 0 || std::fseek(file, 0, SEEK_SET) != 0) {
    return os::ErrorCodeOf(os::ErrorCondition::kInvalidData);
  }
  size_ = static_cast<std::uint64_t>(end);
  return 0;
}

void PictureFile::OpenOrFail(const std::string& path) {
  if (const os::ErrorCode error = Open(path)) {
    throw Failure("Cannot open file \"" + path + "\". " + os::SystemErrorMessage(error));
  }
}

}  // namespace lintavo
