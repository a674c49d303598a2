#include "codecs/PictureSink.h"

#include <cstring>

namespace lintavo {

std::uint8_t* RowsToFill(PictureSink& sink, const BitmapLayout& layout, int count,
                         std::vector<std::uint8_t>& own) {
  const std::size_t stride = layout.RowStride();
  std::uint8_t* rows = sink.LendRows(count);
  if (rows == nullptr) {
    const std::size_t size = static_cast<std::size_t>(count) * stride;
    if (own.size() < size) {
      own.assign(size, 0);  // zero once: decoders write only the pixels, never the padding
    }
    return own.data();
  }
  const std::size_t pixelBytes =
      static_cast<std::size_t>(layout.width) * static_cast<std::size_t>(layout.bitsPerPixel) / 8;
  if (pixelBytes < stride) {
    for (int row = 0; row < count; ++row) {
      std::memset(rows + static_cast<std::size_t>(row) * stride + pixelBytes, 0,
                  stride - pixelBytes);
    }
  }
  return rows;
}

}  // namespace lintavo
