#include "PeFiles.h"

#include <string_view>

#include "support/LittleEndianBytes.h"

namespace lintavo::test {

namespace {

constexpr std::uint32_t kResourceAddress = 0x1000;
constexpr std::uint32_t kSubdirectory = 0x80000000;

// A resource directory with one entry, at `at` within the resources.
void PutDirectory(std::string& file, std::size_t at, std::uint32_t id, std::uint32_t target) {
  PutLittleEndian(file, kPeResourcesAt + at + 14, 1, 2);  // one entry with an identifier
  PutLittleEndian(file, kPeResourcesAt + at + 16, id, 4);
  PutLittleEndian(file, kPeResourcesAt + at + 20, target, 4);
}

}  // namespace

std::string PeFileWithVersion(std::array<std::uint16_t, 4> version, bool pe32Plus) {
  constexpr std::size_t kPeAt = 0x40;
  const std::uint32_t optionalSize = pe32Plus ? 240 : 224;
  std::string file;
  PutLittleEndian(file, 0, 'M' | 'Z' << 8, 2);
  PutLittleEndian(file, 0x3C, kPeAt, 4);
  PutLittleEndian(file, kPeAt, 'P' | 'E' << 8, 4);
  PutLittleEndian(file, kPeAt + 4, pe32Plus ? 0x8664 : 0x14C, 2);  // the machine
  PutLittleEndian(file, kPeAt + 6, 1, 2);                          // one section
  PutLittleEndian(file, kPeAt + 20, optionalSize, 2);
  PutLittleEndian(file, kPeAt + 22, 0x2102, 2);  // an executable library
  const std::size_t optionalAt = kPeAt + 24;
  PutLittleEndian(file, optionalAt, pe32Plus ? 0x20B : 0x10B, 2);
  const std::size_t countAt = optionalAt + (pe32Plus ? 108 : 92);
  PutLittleEndian(file, countAt, 16, 4);  // data directories
  // The resource directory and the version block, laid out in the section's data.
  constexpr std::size_t kDataEntryAt = 72;
  constexpr std::size_t kVersionAt = 88;
  constexpr std::size_t kVersionSize = 92;
  constexpr std::size_t kResourcesSize = kVersionAt + kVersionSize;
  PutLittleEndian(file, countAt + 4 + 2 * 8, kResourceAddress, 4);
  PutLittleEndian(file, countAt + 4 + 2 * 8 + 4, kResourcesSize, 4);
  const std::size_t sectionAt = optionalAt + optionalSize;
  file.resize(sectionAt + 40);
  file.replace(sectionAt, 5, ".rsrc");
  PutLittleEndian(file, sectionAt + 8, kResourcesSize, 4);  // its size when loaded
  PutLittleEndian(file, sectionAt + 12, kResourceAddress, 4);
  PutLittleEndian(file, sectionAt + 16, kResourcesSize, 4);  // its size in the file
  PutLittleEndian(file, sectionAt + 20, kPeResourcesAt, 4);

  PutDirectory(file, 0, 16, kSubdirectory | 24);  // type: version
  PutDirectory(file, 24, 1, kSubdirectory | 48);  // name
  PutDirectory(file, 48, 0x409, kDataEntryAt);    // language
  PutLittleEndian(file, kPeResourcesAt + kDataEntryAt, kResourceAddress + kVersionAt, 4);
  PutLittleEndian(file, kPeResourcesAt + kDataEntryAt + 4, kVersionSize, 4);
  const std::size_t block = kPeResourcesAt + kVersionAt;
  PutLittleEndian(file, block, kVersionSize, 2);
  PutLittleEndian(file, block + 2, 52, 2);  // the fixed information's size
  constexpr std::u16string_view kKey = u"VS_VERSION_INFO";
  for (std::size_t i = 0; i < kKey.size(); ++i) {
    PutLittleEndian(file, block + 6 + 2 * i, kKey[i], 2);
  }
  PutLittleEndian(file, block + 40, 0xFEEF04BD, 4);
  PutLittleEndian(file, block + 44, 0x10000, 4);
  PutLittleEndian(file, block + 48, std::uint32_t{version[0]} << 16 | version[1], 4);
  PutLittleEndian(file, block + 52, std::uint32_t{version[2]} << 16 | version[3], 4);
  file.resize(kPeResourcesAt + kResourcesSize);
  return file;
}

std::string WithNumberAt(std::string file, std::size_t at, std::uint32_t value) {
  PutLittleEndian(file, at, value, 4);
  return file;
}

}  // namespace lintavo::test
