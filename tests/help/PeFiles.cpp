#include "PeFiles.h"

#include <string_view>

namespace lintavo::test {

namespace {

constexpr std::uint32_t kResourceAddress = 0x1000;
constexpr std::uint32_t kSubdirectory = 0x80000000;

void Put(std::string& file, std::size_t at, std::uint32_t value, int size) {
  if (file.size() < at + static_cast<std::size_t>(size)) {
    file.resize(at + static_cast<std::size_t>(size));
  }
  for (int i = 0; i < size; ++i) {
    file[at + static_cast<std::size_t>(i)] = static_cast<char>(value >> (8 * i));
  }
}

// A resource directory with one entry, at `at` within the resources.
void PutDirectory(std::string& file, std::size_t at, std::uint32_t id, std::uint32_t target) {
  Put(file, kPeResourcesAt + at + 14, 1, 2);  // one entry with an identifier
  Put(file, kPeResourcesAt + at + 16, id, 4);
  Put(file, kPeResourcesAt + at + 20, target, 4);
}

}  // namespace

std::string PeFileWithVersion(std::array<std::uint16_t, 4> version, bool pe32Plus) {
  constexpr std::size_t kPeAt = 0x40;
  const std::uint32_t optionalSize = pe32Plus ? 240 : 224;
  std::string file;
  Put(file, 0, 'M' | 'Z' << 8, 2);
  Put(file, 0x3C, kPeAt, 4);
  Put(file, kPeAt, 'P' | 'E' << 8, 4);
  Put(file, kPeAt + 4, pe32Plus ? 0x8664 : 0x14C, 2);  // the machine
  Put(file, kPeAt + 6, 1, 2);                          // one section
  Put(file, kPeAt + 20, optionalSize, 2);
  Put(file, kPeAt + 22, 0x2102, 2);  // an executable library
  const std::size_t optionalAt = kPeAt + 24;
  Put(file, optionalAt, pe32Plus ? 0x20B : 0x10B, 2);
  const std::size_t countAt = optionalAt + (pe32Plus ? 108 : 92);
  Put(file, countAt, 16, 4);  // data directories
  // The resource directory and the version block, laid out in the section's data.
  constexpr std::size_t kDataEntryAt = 72;
  constexpr std::size_t kVersionAt = 88;
  constexpr std::size_t kVersionSize = 92;
  constexpr std::size_t kResourcesSize = kVersionAt + kVersionSize;
  Put(file, countAt + 4 + 2 * 8, kResourceAddress, 4);
  Put(file, countAt + 4 + 2 * 8 + 4, kResourcesSize, 4);
  const std::size_t sectionAt = optionalAt + optionalSize;
  file.resize(sectionAt + 40);
  file.replace(sectionAt, 5, ".rsrc");
  Put(file, sectionAt + 8, kResourcesSize, 4);  // its size when loaded
  Put(file, sectionAt + 12, kResourceAddress, 4);
  Put(file, sectionAt + 16, kResourcesSize, 4);  // its size in the file
  Put(file, sectionAt + 20, kPeResourcesAt, 4);

  PutDirectory(file, 0, 16, kSubdirectory | 24);  // type: version
  PutDirectory(file, 24, 1, kSubdirectory | 48);  // name
  PutDirectory(file, 48, 0x409, kDataEntryAt);    // language
  Put(file, kPeResourcesAt + kDataEntryAt, kResourceAddress + kVersionAt, 4);
  Put(file, kPeResourcesAt + kDataEntryAt + 4, kVersionSize, 4);
  const std::size_t block = kPeResourcesAt + kVersionAt;
  Put(file, block, kVersionSize, 2);
  Put(file, block + 2, 52, 2);  // the fixed information's size
  constexpr std::u16string_view kKey = u"VS_VERSION_INFO";
  for (std::size_t i = 0; i < kKey.size(); ++i) {
    Put(file, block + 6 + 2 * i, kKey[i], 2);
  }
  Put(file, block + 40, 0xFEEF04BD, 4);
  Put(file, block + 44, 0x10000, 4);
  Put(file, block + 48, std::uint32_t{version[0]} << 16 | version[1], 4);
  Put(file, block + 52, std::uint32_t{version[2]} << 16 | version[3], 4);
  file.resize(kPeResourcesAt + kResourcesSize);
  return file;
}

std::string WithNumberAt(std::string file, std::size_t at, std::uint32_t value) {
  Put(file, at, value, 4);
  return file;
}

}  // namespace lintavo::test
