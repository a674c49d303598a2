#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "codecs/PicturePreview.h"
#include "codecs/PictureStore.h"
#include "support/BmpPixels.h"
#include "support/TestEnvironment.h"

// What the picture tests share: a picture stored and its bitmap read back, and pixels written down
// as plainly as a test states them.
namespace lintavo::test {

using Bytes = std::vector<std::uint8_t>;

inline Bytes ByteList(std::initializer_list<int> values) {
  Bytes bytes;
  for (const int value : values) {
    bytes.push_back(static_cast<std::uint8_t>(value));
  }
  return bytes;
}

// A palette entry as BmpPixels reads it: blue, green, red, reserved in the bytes of a word.
inline std::uint32_t PaletteWord(int red, int green, int blue) {
  return static_cast<std::uint32_t>(blue | green << 8 | red << 16);
}

// Writes `picture` into `folder` under `name`, stores it as a bitmap and reads the bitmap back.
inline BmpPixels StoreAndRead(const TempFolder& folder, const std::string& name,
                              const std::string& picture, PictureFormat format) {
  const std::string source = folder / name;
  const std::string dest = folder / "stored.bmp";
  WriteFileBytes(source, picture);
  StorePictureAsBitmap(source, format, dest);
  return ReadBmpPixels(ReadFileBytes(dest));
}

// The preview's pixels that a stored bitmap of 8, 24 or 32 bits per pixel stands for, top row
// first: palette colours and 24-bit pixels opaque, 32-bit pixels as they are.
inline Bytes PreviewPixelsOf(const BmpPixels& bitmap) {
  Bytes pixels;
  for (const Bytes& row : bitmap.rows) {
    const int bitsPerPixel = bitmap.header.bitsPerPixel;
    const std::size_t step = static_cast<std::size_t>(bitsPerPixel / 8);
    for (std::size_t at = 0; at < row.size(); at += step) {
      if (bitsPerPixel == 8) {
        const std::uint32_t entry = bitmap.palette.at(row[at]);
        pixels.insert(pixels.end(),
                      {static_cast<std::uint8_t>(entry), static_cast<std::uint8_t>(entry >> 8),
                       static_cast<std::uint8_t>(entry >> 16), 255});
      } else {
        pixels.insert(pixels.end(), row.begin() + static_cast<std::ptrdiff_t>(at),
                      row.begin() + static_cast<std::ptrdiff_t>(at + 3));
        pixels.push_back(bitsPerPixel == 32 ? row[at + 3] : 255);
      }
    }
  }
  return pixels;
}

}  // namespace lintavo::test
