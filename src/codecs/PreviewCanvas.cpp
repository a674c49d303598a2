#include "codecs/PreviewCanvas.h"

#include <cstring>

namespace lintavo {

namespace {

constexpr std::size_t kPreviewBytesPerPixel = 4;
constexpr std::uint8_t kOpaque = 255;

std::uint32_t OpaqueWord(std::uint8_t blue, std::uint8_t green, std::uint8_t red) {
  return blue | std::uint32_t{green} << 8 | std::uint32_t{red} << 16 | std::uint32_t{kOpaque} << 24;
}

void StoreWord(std::uint32_t word, std::uint8_t* to) {
  to[0] = static_cast<std::uint8_t>(word);
  to[1] = static_cast<std::uint8_t>(word >> 8);
  to[2] = static_cast<std::uint8_t>(word >> 16);
  to[3] = static_cast<std::uint8_t>(word >> 24);
}

}  // namespace

void PreviewCanvas::Start(const BitmapLayout& layout) {
  layout_ = layout;
  fromStride_ = layout.RowStride();
  palette_.fill(OpaqueWord(0, 0, 0));
  for (std::size_t i = 0; i < layout.palette.size() && i < palette_.size(); ++i) {
    const PaletteEntry& entry = layout.palette[i];
    palette_[i] = OpaqueWord(entry.blue, entry.green, entry.red);
  }
  pixels_.assign(static_cast<std::size_t>(layout.width) * static_cast<std::size_t>(layout.height) *
                     kPreviewBytesPerPixel,
                 0);
}

void PreviewCanvas::PutRows(int topRow, const std::uint8_t* rows, int count) {
  const std::size_t toStride = static_cast<std::size_t>(layout_.width) * kPreviewBytesPerPixel;
  for (int i = 0; i < count; ++i) {
    // The block holds its bottom row first; the canvas holds the picture's top row first.
    const auto pictureRow = static_cast<std::size_t>(topRow + count - 1 - i);
    ConvertRow(rows + static_cast<std::size_t>(i) * fromStride_,
               pixels_.data() + pictureRow * toStride);
  }
}

void PreviewCanvas::ConvertRow(const std::uint8_t* from, std::uint8_t* to) const {
  const auto width = static_cast<std::size_t>(layout_.width);
  switch (layout_.bitsPerPixel) {
    case 32:
      std::memcpy(to, from, width * kPreviewBytesPerPixel);
      break;
    case 24:
      for (std::size_t x = 0; x < width; ++x, from += 3, to += kPreviewBytesPerPixel) {
        StoreWord(OpaqueWord(from[0], from[1], from[2]), to);
      }
      break;
    default:  // 8 bits per pixel
      for (std::size_t x = 0; x < width; ++x, to += kPreviewBytesPerPixel) {
        StoreWord(palette_[from[x]], to);
      }
      break;
  }
}

}  // namespace lintavo
