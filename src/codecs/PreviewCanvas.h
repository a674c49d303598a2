#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "codecs/PictureSink.h"

namespace lintavo {

// Gathers the picture a reader hands out into the preview's form: 32 bits per pixel, bytes blue,
// green, red, alpha, rows top first without padding (QImage::Format_ARGB32 on a little-endian
// machine). Pixels without alpha get 255; palette indices beyond the palette show black.
class PreviewCanvas : public PictureSink {
 public:
  void Start(const BitmapLayout& layout) override;
  void PutRows(int topRow, const std::uint8_t* rows, int count) override;

  int Width() const { return layout_.width; }
  int Height() const { return layout_.height; }
  // The pixels, moved out; the canvas is empty after.
  std::vector<std::uint8_t> TakePixels() { return std::move(pixels_); }

 private:
  void ConvertRow(const std::uint8_t* from, std::uint8_t* to) const;

  BitmapLayout layout_;
  std::size_t fromStride_ = 0;
  std::array<std::uint32_t, 256> palette_{};  // index -> blue, green, red, alpha as one word
  std::vector<std::uint8_t> pixels_;
};

}  // namespace lintavo
