#include "os/ProfileFile.h"

#include <utility>

#include "base/Failure.h"
#include "os/Files.h"

namespace lintavo {

ProfileFile ProfileFile::Load(const std::string& path) {
  std::string bytes;
  const os::ExistingFile found = os::ReadFileToRewrite(path, bytes);
  return ProfileFile(path, ProfileText(std::move(bytes)), found != os::ExistingFile::Unreadable);
}

ProfileFile::ProfileFile(std::string path, ProfileText text, bool replaceable)
    : path_(std::move(path)), text_(std::move(text)), replaceable_(replaceable) {}

void ProfileFile::Save() const {
  if (!replaceable_) {
    throw Failure("Unable to write to " + path_);
  }
  const std::string bytes = text_.Bytes();
  // Writing back what the file already holds would change nothing but cost a flush to disk.
  if (bytes == text_.BytesAsRead()) {
    return;
  }
  if (os::WriteFileAtomically(path_, bytes) != 0) {
    throw Failure("Unable to write to " + path_);
  }
}

}  // namespace lintavo
