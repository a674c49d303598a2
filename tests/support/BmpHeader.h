#pragma once

#include <cstdint>
#include <string>

namespace lintavo::test {

// The header fields of a BMP file read back byte by byte, for checking what a writer produced.
struct BmpHeader {
  std::string type;  // "BM"
  std::uint32_t fileSize = 0;
  std::uint32_t reserved = 0;  // both reserved words
  std::uint32_t pixelDataOffset = 0;
  std::uint32_t infoSize = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::uint16_t planes = 0;
  std::uint16_t bitsPerPixel = 0;
  std::uint32_t compression = 0;
  std::uint32_t imageSize = 0;
  std::uint32_t coloursUsed = 0;
};

// Reads the file and info headers at the start of `bytes`, which must be at least 54 long.
BmpHeader ReadBmpHeader(const std::string& bytes);

}  // namespace lintavo::test
