// Fuzz target for GIF pictures, stored as a background bitmap and decoded for the preview by the
// same reader: both fail alike, or the bitmap is whole, 8 bits per pixel, and the preview shows its
// pixels (CheckStoredAndShownAlike). The input is the picture file.
#include <cstddef>
#include <cstdint>

#include "PictureFuzzing.h"

namespace {

namespace fuzz = lintavo::fuzz;

// The logical screen's width and height follow the 6-byte signature. The first frame's size needs
// no check: the reader refuses frames larger than the file's bytes can hold.
constexpr std::size_t kScreenWidthAt = 6;
constexpr std::size_t kScreenHeightAt = 8;

std::uint64_t LittleEndian16(const std::uint8_t* bytes) {
  return bytes[0] | std::uint64_t{bytes[1]} << 8;
}

std::uint64_t ClaimedPixels(const std::uint8_t* data, std::size_t size) {
  return size < kScreenHeightAt + 2
             ? 0
             : LittleEndian16(data + kScreenWidthAt) * LittleEndian16(data + kScreenHeightAt);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (ClaimedPixels(data, size) > fuzz::kMaxPicturePixels) {
    return 0;
  }
  const fuzz::PictureInput input(data, size, "gif");
  fuzz::CheckStoredAndShownAlike(input, lintavo::PictureFormat::kGif);
  return 0;
}
