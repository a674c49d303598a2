#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "os/Files.h"

namespace lintavo {

struct PaletteEntry {
  std::uint8_t blue = 0, green = 0, red = 0, reserved = 0;  // a BMP colour-table entry (RGBQUAD)
};

// Writes an uncompressed Windows bitmap (BMP) file row block by row block, each straight to its
// final place in the file, so no whole picture is ever held in memory. The file is built beside
// `dest` and renamed over it by Commit; a writer destroyed before Commit leaves `dest` untouched.
//
// Errors throw Failure "Cannot create file "<dest>". <reason>".
class BmpWriter {
 public:
  // 24 bits per pixel (blue, green, red) or 32 (blue, green, red, alpha) without a palette, or 8
  // bits per pixel with a palette of at most 256 entries. Pictures whose file would exceed the
  // format's 32-bit sizes are refused.
  BmpWriter(std::string dest, int width, int height, int bitsPerPixel,
            std::vector<PaletteEntry> palette = {});

  int Width() const { return width_; }
  int Height() const { return height_; }
  // Bytes per row in the file, padding to a multiple of four included.
  std::size_t RowStride() const { return rowStride_; }

  // Writes `count` rows whose topmost is row `topRow` (0 = the picture's top row). `rows` holds
  // them in file order: the bottom one of the block first, each RowStride() bytes long.
  void WriteRows(int topRow, const std::uint8_t* rows, int count);

  // Flushes the file and puts it in place of `dest`.
  void Commit();

  // Whether a picture of this size can be stored in a BMP file at all.
  static bool FitsFormat(int width, int height, int bitsPerPixel);

  // Bytes per row of a picture this wide, padding included, as RowStride() gives it.
  static std::size_t RowStrideFor(int width, int bitsPerPixel);

 private:
  [[noreturn]] void Fail(os::ErrorCode code) const;

  std::string dest_;
  int width_;
  int height_;
  std::size_t rowStride_;
  std::uint32_t pixelDataOffset_;
  os::AtomicFileWriter file_;
};

}  // namespace lintavo
