#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "codecs/BmpWriter.h"

namespace lintavo {

// A decoded picture's size and pixel format, in BMP's own terms so that storing needs no
// conversion: 8 bits per pixel index `palette`; 24 bits hold blue, green, red; 32 bits blue,
// green, red, alpha.
struct BitmapLayout {
  int width = 0;
  int height = 0;
  int bitsPerPixel = 24;
  std::vector<PaletteEntry> palette;  // 8 bits per pixel only

  // Bytes per row, padded to a multiple of four as in a BMP file.
  std::size_t RowStride() const { return BmpWriter::RowStrideFor(width, bitsPerPixel); }
};

// Where a picture reader hands its decoded picture: a BMP file being written when a picture is
// stored, the preview's pixels when it is shown. Readers stream into it, so neither side needs the
// whole picture unless it wants it.
class PictureSink {
 public:
  virtual ~PictureSink() = default;

  // Called once, before any row.
  virtual void Start(const BitmapLayout& layout) = 0;

  // `count` rows whose topmost is picture row `topRow` (0 = the top row), laid out as a BMP file
  // holds them: the block's bottom row first, each RowStride() bytes. Every row of the picture
  // comes at least once, in any order; a row that comes again replaces what came before.
  virtual void PutRows(int topRow, const std::uint8_t* rows, int count) = 0;

  // Memory for `count` rows, laid out as PutRows takes them, that a reader may decode into and
  // then pass to PutRows: a sink that passes rows on lends its own, so they are not copied on the
  // way. nullptr when it has none to lend. Its bytes are undefined; it is the reader's until that
  // PutRows or the next LendRows.
  virtual std::uint8_t* LendRows(int /*count*/) { return nullptr; }
};

// Readers hand over rows a block of about this many bytes at a time: big enough that each
// hand-over, and each part of the file sent on to the disk, costs little, small enough that memory
// stays flat whatever the picture's size.
inline constexpr std::size_t kRowBlockBytes = 1024 * 1024;

// Memory for the next `count` rows a reader decodes: lent by the sink where it can (LendRows), else
// `own`, grown to fit. Either way each row's padding is zero, so the stored picture never carries
// stray bytes.
std::uint8_t* RowsToFill(PictureSink& sink, const BitmapLayout& layout, int count,
                         std::vector<std::uint8_t>& own);

// How many rows of `rowStride` bytes make a block, at least one and at most `height`.
inline int RowsPerBlock(std::size_t rowStride, int height) {
  const auto rows = static_cast<int>(std::max<std::size_t>(1, kRowBlockBytes / rowStride));
  return std::min(rows, height);
}

}  // namespace lintavo
