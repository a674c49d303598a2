#include "codecs/JpegConversion.h"

#include <jerror.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/Failure.h"
#include "codecs/BitmapFileSink.h"
#include "codecs/BmpWriter.h"

namespace lintavo {

namespace {

constexpr int kBitsPerPixel = 24;

}  // namespace

void DecodeJpeg(JpegReader& picture, PictureSink& sink) {
  picture.StartDecoding();
  const BitmapLayout layout{picture.OutputWidth(), picture.OutputHeight(), kBitsPerPixel, {}};
  sink.Start(layout);
  const std::size_t stride = layout.RowStride();
  const int blockRows = RowsPerBlock(stride, layout.height);
  std::vector<std::uint8_t> ownRows;
  std::vector<std::uint8_t*> rows(static_cast<std::size_t>(blockRows));

  for (int top = 0; top < layout.height; top += blockRows) {
    const int count = std::min(blockRows, layout.height - top);
    std::uint8_t* block = RowsToFill(sink, layout, count, ownRows);
    // The block is laid out as in the file, its bottom row first.
    for (int i = 0; i < count; ++i) {
      rows[static_cast<std::size_t>(i)] = block + static_cast<std::size_t>(count - 1 - i) * stride;
    }
    picture.ReadRows(rows.data(), count);
    sink.PutRows(top, block, count);
  }
  picture.Finish();
}

void ConvertJpegToBitmap(const std::string& source, const std::string& dest) {
  JpegReader picture(source);
  // A picture whose bitmap would overflow BMP's 32-bit size fields is refused with the error
  // libjpeg gives for pictures beyond its own size limit.
  if (!BmpWriter::FitsFormat(picture.Width(), picture.Height(), kBitsPerPixel)) {
    throw Failure(JpegErrorMessage(JERR_IMAGE_TOO_BIG));
  }
  BitmapFileSink bitmap(dest);
  DecodeJpeg(picture, bitmap);
  bitmap.Commit();
}

}  // namespace lintavo
