#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "codecs/PictureFile.h"
#include "codecs/PictureSink.h"

namespace lintavo {

// What the headers of a BMP file say, as far as copying and showing it need.
struct BmpFileFacts {
  int width = 0;
  int height = 0;            // always positive
  bool topRowFirst = false;  // a negative height in the file: rows stored top row first
  int bitsPerPixel = 0;
  std::uint32_t compression = 0;
  bool coreHeader = false;  // the 12-byte OS/2 header, whose palette entries have 3 bytes
  std::uint32_t pixelDataOffset = 0;
  std::uint32_t paletteOffset = 0;
  int paletteEntries = 0;                // for 1, 4 and 8 bits per pixel
  std::array<std::uint32_t, 4> masks{};  // red, green, blue, alpha, for bit fields
};

// Reads and checks the headers at the start of `file`: "BM", an information header of a known
// kind, one colour plane, a supported depth, a size, and pixel data within the file, all of it for
// uncompressed rows. Throws a picture failure (codecs/PictureFailures.h): an empty file, not a BMP
// file, or damaged (cut short, a size of zero, headers that contradict themselves).
BmpFileFacts ReadBmpFileFacts(PictureFile& file);

// Decodes the BMP picture `path` for showing it and hands it to `sink` as 32 bits per pixel. Reads
// uncompressed pictures of 1, 4, 8, 16, 24 and 32 bits per pixel, stored either way up, and bit
// fields of 16 and 32 bits. Alpha comes from an alpha bit field; everything else is opaque, the
// unused byte of plain 32-bit pixels included, as Windows has it. Throws what ReadBmpFileFacts
// throws, the decode limit's "too large", and "cannot be shown" for compressed pictures.
void ReadBmp(const std::string& path, PictureSink& sink);

}  // namespace lintavo
