#include "diagnostics/ElfVersion.h"

#include <string>

#include "base/FileBytes.h"

namespace lintavo {

namespace {

constexpr std::uint8_t kClass32 = 1;
constexpr std::uint8_t kClass64 = 2;
constexpr std::uint8_t kLittleEndian = 1;
constexpr std::uint64_t kVersionSize = 8;
constexpr std::uint16_t kMaxSections = 0xFF00;  // SHN_LORESERVE: beyond it the count lies elsewhere

// Where the fields of the file header and of a section header lie in each class of file.
struct ElfLayout {
  int addressSize;
  std::uint64_t sectionTableAt, sectionEntrySizeAt, sectionCountAt, namesIndexAt;
  std::uint64_t sectionHeaderSize, offsetAt, sizeAt;
};
constexpr ElfLayout kElf32{4, 0x20, 0x2E, 0x30, 0x32, 40, 16, 20};
constexpr ElfLayout kElf64{8, 0x28, 0x3A, 0x3C, 0x3E, 64, 24, 32};

}  // namespace

std::optional<std::array<std::uint16_t, 4>> ReadElfFileVersion(std::istream& file) {
  const std::optional<FileBytes> header = ReadFileBytesAt(file, 0, 0x40);
  if (!header ||
      header->Text(0, 4) !=
          "\x7F"
          "ELF" ||
      header->Number(5, 1) != kLittleEndian) {
    return std::nullopt;
  }
  const std::uint64_t elfClass = header->Number(4, 1);
  if (elfClass != kClass32 && elfClass != kClass64) {
    return std::nullopt;
  }
  const ElfLayout& layout = elfClass == kClass64 ? kElf64 : kElf32;
  const std::uint64_t tableAt = header->Number(layout.sectionTableAt, layout.addressSize);
  const std::uint16_t count = header->U16(layout.sectionCountAt);
  const std::uint16_t namesIndex = header->U16(layout.namesIndexAt);
  if (header->U16(layout.sectionEntrySizeAt) != layout.sectionHeaderSize || count == 0 ||
      count >= kMaxSections || namesIndex >= count) {
    return std::nullopt;
  }
  const std::optional<FileBytes> sections =
      ReadFileBytesAt(file, tableAt, std::uint64_t{count} * layout.sectionHeaderSize);
  if (!sections) {
    return std::nullopt;
  }
  const auto section = [&](std::uint16_t index, std::uint64_t field) {
    return sections->Number(index * layout.sectionHeaderSize + field,
                            field == 0 ? 4 : layout.addressSize);
  };
  const std::optional<FileBytes> names = ReadFileBytesAt(file, section(namesIndex, layout.offsetAt),
                                                         section(namesIndex, layout.sizeAt));
  if (!names) {
    return std::nullopt;
  }
  const std::string wanted(kVersionSectionName, sizeof kVersionSectionName);  // with its NUL
  for (std::uint16_t i = 0; i < count; ++i) {
    const std::uint64_t nameAt = section(i, 0);
    if (!names->Has(nameAt, wanted.size()) || names->Text(nameAt, wanted.size()) != wanted ||
        section(i, layout.sizeAt) != kVersionSize) {
      continue;
    }
    const std::optional<FileBytes> version =
        ReadFileBytesAt(file, section(i, layout.offsetAt), kVersionSize);
    if (!version) {
      return std::nullopt;
    }
    return std::array<std::uint16_t, 4>{version->U16(0), version->U16(2), version->U16(4),
                                        version->U16(6)};
  }
  return std::nullopt;
}

}  // namespace lintavo
