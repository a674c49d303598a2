#include "codecs/JpegConversion.h"

#include <jerror.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "codecs/BmpWriter.h"
#include "codecs/JpegReader.h"
#include "os/Failure.h"

namespace lintavo {

namespace {

constexpr int kBitsPerPixel = 24;

// Rows are decoded and written a block of about this many bytes at a time: big enough that the
// writes cost little, small enough that memory stays flat whatever the picture's size.
constexpr std::size_t kBlockBytes = 256 * 1024;

int RowsPerBlock(std::size_t rowStride, int height) {
  const auto rows = static_cast<int>(std::max<std::size_t>(1, kBlockBytes / rowStride));
  return std::min(rows, height);
}

}  // namespace

void ConvertJpegToBitmap(const std::string& source, const std::string& dest) {
  JpegReader picture(source);
  // A picture whose bitmap would overflow BMP's 32-bit size fields is refused with the error
  // libjpeg gives for pictures beyond its own size limit.
  if (!BmpWriter::FitsFormat(picture.Width(), picture.Height(), kBitsPerPixel)) {
    throw Failure(JpegErrorMessage(JERR_IMAGE_TOO_BIG));
  }
  picture.StartDecoding();

  BmpWriter bitmap(dest, picture.Width(), picture.Height(), kBitsPerPixel);
  const std::size_t stride = bitmap.RowStride();
  const int blockRows = RowsPerBlock(stride, bitmap.Height());
  // Zero-filled once: libjpeg writes only the pixels, so each row's padding stays zero.
  std::vector<std::uint8_t> block(static_cast<std::size_t>(blockRows) * stride);
  std::vector<std::uint8_t*> rows(static_cast<std::size_t>(blockRows));

  for (int top = 0; top < bitmap.Height(); top += blockRows) {
    const int count = std::min(blockRows, bitmap.Height() - top);
    // The block is laid out as in the file, its bottom row first.
    for (int i = 0; i < count; ++i) {
      rows[static_cast<std::size_t>(i)] =
          block.data() + static_cast<std::size_t>(count - 1 - i) * stride;
    }
    picture.ReadRows(rows.data(), count);
    bitmap.WriteRows(top, block.data(), count);
  }
  picture.Finish();
  bitmap.Commit();
}

}  // namespace lintavo
