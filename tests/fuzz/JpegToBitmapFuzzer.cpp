// Fuzz target for the JPEG to BMP conversion. The input is the picture file. A conversion either
// writes a complete 24-bit bitmap of the picture's size or fails with a Failure and leaves no
// file behind, not even a partial one.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "FuzzSupport.h"
#include "PictureFuzzing.h"
#include "base/Failure.h"
#include "codecs/JpegReader.h"

namespace {

namespace fuzz = lintavo::fuzz;

struct PictureSize {
  int width = 0;
  int height = 0;
};

// The size the picture's header claims; nothing when it cannot be read.
std::optional<PictureSize> ClaimedSize(const fuzz::PictureInput& input) {
  try {
    const lintavo::JpegReader picture(input.Path().string());
    return PictureSize{picture.Width(), picture.Height()};
  } catch (const lintavo::Failure&) {
    return std::nullopt;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const fuzz::PictureInput input(data, size, "jpg");
  const std::optional<PictureSize> claimed = ClaimedSize(input);
  if (!claimed ||
      static_cast<std::uint64_t>(claimed->width) * static_cast<std::uint64_t>(claimed->height) >
          fuzz::kMaxPicturePixels) {
    return 0;
  }
  if (const std::optional<std::string> stored =
          fuzz::StoreAsBitmap(input, lintavo::PictureFormat::kJpeg)) {
    const lintavo::test::BmpHeader header = fuzz::PixelsOfStored(*stored).header;
    fuzz::Expect(header.bitsPerPixel == 24 && header.width == claimed->width &&
                     header.height == claimed->height,
                 "the bitmap is not a 24-bit picture of the picture's size");
  }
  return 0;
}
