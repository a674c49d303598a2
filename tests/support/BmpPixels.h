#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "support/BmpHeader.h"

namespace lintavo::test {

// The pixels of a BMP file as a writer of ours lays it out (uncompressed, bottom row first), read
// back to compare them with what a picture should give.
struct BmpPixels {
  BmpHeader header;
  std::vector<std::uint32_t> palette;  // entries as bytes blue, green, red, reserved, lowest first
  // The rows, top row first, each width * bytes per pixel long without the padding.
  std::vector<std::vector<std::uint8_t>> rows;
};

// Reads `bytes`, a whole BMP file of 8, 24 or 32 bits per pixel; throws std::runtime_error when it
// is not laid out as BmpWriter writes.
BmpPixels ReadBmpPixels(const std::string& bytes);

}  // namespace lintavo::test
