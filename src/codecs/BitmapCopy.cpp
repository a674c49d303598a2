#include "codecs/BitmapCopy.h"

#include <cstdint>
#include <limits>
#include <vector>

#include "base/Failure.h"
#include "codecs/BmpReader.h"
#include "codecs/PictureFailures.h"
#include "codecs/PictureFile.h"
#include "codecs/PictureSink.h"
#include "os/Files.h"

namespace lintavo {

namespace {

[[noreturn]] void FailToCreate(const std::string& dest, os::ErrorCode error) {
  throw Failure("Cannot create file \"" + dest + "\". " + os::SystemErrorMessage(error));
}

}  // namespace

void CopyBitmapFile(const std::string& source, const std::string& dest) {
  PictureFile file;
  file.OpenOrFail(source);
  // The stored picture is shown as the preview decodes it, so it obeys the same limit; and no
  // BMP file can be larger than its 32-bit size fields, whatever follows its pixels.
  const BmpFileFacts facts = ReadBmpFileFacts(file);
  CheckPictureSize(source, static_cast<std::uint64_t>(facts.width),
                   static_cast<std::uint64_t>(facts.height));
  if (file.Size() > std::numeric_limits<std::uint32_t>::max()) {
    FailBitmapFileTooLarge(source);
  }
  std::rewind(file.Stream());

  os::AtomicFileWriter copy;
  if (const os::ErrorCode error = copy.Open(dest)) {
    FailToCreate(dest, error);
  }
  std::vector<std::uint8_t> block(kRowBlockBytes);
  for (std::uint64_t copied = 0; copied < file.Size();) {
    const std::size_t got = file.Read(block.data(), block.size());
    if (got == 0) {
      FailEndsEarly(source);  // the file shrank while it was copied
    }
    if (const os::ErrorCode error = copy.WriteAt(copied, block.data(), got)) {
      FailToCreate(dest, error);
    }
    copied += got;
  }
  if (const os::ErrorCode error = copy.Commit()) {
    FailToCreate(dest, error);
  }
}

}  // namespace lintavo
