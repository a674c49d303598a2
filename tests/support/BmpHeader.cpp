#include "support/BmpHeader.h"

#include <stdexcept>

namespace lintavo::test {

namespace {

std::uint32_t LittleEndianAt(const std::string& bytes, std::size_t offset, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) {
    value =
        (value << 8) | static_cast<std::uint8_t>(bytes.at(offset + static_cast<std::size_t>(i)));
  }
  return value;
}

}  // namespace

BmpHeader ReadBmpHeader(const std::string& bytes) {
  if (bytes.size() < 54) {
    throw std::runtime_error("a BMP file of " + std::to_string(bytes.size()) + " bytes");
  }
  BmpHeader header;
  header.type = bytes.substr(0, 2);
  header.fileSize = LittleEndianAt(bytes, 2, 4);
  header.reserved = LittleEndianAt(bytes, 6, 4);
  header.pixelDataOffset = LittleEndianAt(bytes, 10, 4);
  header.infoSize = LittleEndianAt(bytes, 14, 4);
  header.width = static_cast<std::int32_t>(LittleEndianAt(bytes, 18, 4));
  header.height = static_cast<std::int32_t>(LittleEndianAt(bytes, 22, 4));
  header.planes = static_cast<std::uint16_t>(LittleEndianAt(bytes, 26, 2));
  header.bitsPerPixel = static_cast<std::uint16_t>(LittleEndianAt(bytes, 28, 2));
  header.compression = LittleEndianAt(bytes, 30, 4);
  header.imageSize = LittleEndianAt(bytes, 34, 4);
  header.coloursUsed = LittleEndianAt(bytes, 46, 4);
  return header;
}

}  // namespace lintavo::test
