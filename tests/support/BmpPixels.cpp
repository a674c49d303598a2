#include "support/BmpPixels.h"

#include <stdexcept>

namespace lintavo::test {

namespace {

constexpr std::size_t kHeadersSize = 54;

std::uint32_t LittleEndian32(const std::string& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) {
    value |= std::uint32_t{static_cast<std::uint8_t>(bytes.at(at + i))} << (8 * i);
  }
  return value;
}

}  // namespace

BmpPixels ReadBmpPixels(const std::string& bytes) {
  BmpPixels bitmap;
  bitmap.header = ReadBmpHeader(bytes);
  const BmpHeader& header = bitmap.header;
  if (header.infoSize != 40 || header.compression != 0 || header.height <= 0 ||
      (header.bitsPerPixel != 8 && header.bitsPerPixel != 24 && header.bitsPerPixel != 32)) {
    throw std::runtime_error("not a BMP file as our writer lays them out");
  }
  for (std::size_t i = 0; i < header.coloursUsed; ++i) {
    bitmap.palette.push_back(LittleEndian32(bytes, kHeadersSize + 4 * i));
  }
  const auto width = static_cast<std::size_t>(header.width);
  const auto height = static_cast<std::size_t>(header.height);
  const std::size_t rowBytes = width * header.bitsPerPixel / 8;
  const std::size_t stride = (rowBytes + 3) / 4 * 4;
  if (bytes.size() != header.pixelDataOffset + stride * height) {
    throw std::runtime_error("a BMP file of " + std::to_string(bytes.size()) + " bytes");
  }
  for (std::size_t y = 0; y < height; ++y) {
    const std::size_t at = header.pixelDataOffset + (height - 1 - y) * stride;
    bitmap.rows.emplace_back(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                             bytes.begin() + static_cast<std::ptrdiff_t>(at + rowBytes));
  }
  return bitmap;
}

}  // namespace lintavo::test
