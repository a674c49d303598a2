#include "diagnostics/PeVersion.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/FileBytes.h"

namespace lintavo {

namespace {

constexpr std::uint32_t kPeHeaderPointerAt = 0x3C;  // e_lfanew in the DOS header
constexpr std::size_t kFileHeaderSize = 24;         // "PE\0\0" and the COFF header
constexpr std::uint16_t kPe32 = 0x10B;
constexpr std::uint16_t kPe32Plus = 0x20B;
constexpr std::size_t kSectionHeaderSize = 40;
constexpr std::uint32_t kResourceDirectory = 2;  // the index of the resource table
constexpr std::uint32_t kVersionResource = 16;   // RT_VERSION
constexpr std::uint32_t kSubdirectoryFlag = 0x80000000;
constexpr std::uint32_t kFixedInfoSignature = 0xFEEF04BD;
// VS_VERSIONINFO: three words, the key "VS_VERSION_INFO" in UTF-16 with its terminator, padding
// to a 32-bit boundary, then VS_FIXEDFILEINFO.
constexpr std::size_t kFixedInfoAt = 40;
constexpr std::size_t kFixedInfoSize = 52;
constexpr std::u16string_view kVersionKey = u"VS_VERSION_INFO";

struct Section {
  std::uint32_t address = 0;  // where it is loaded, relative to the image
  std::uint32_t loadedSize = 0;
  std::uint32_t fileOffset = 0;
  std::uint32_t fileSize = 0;
};

// Where the image's relative addresses lie in the file, through its sections.
class ImageMap {
 public:
  explicit ImageMap(std::vector<Section> sections) : sections_(std::move(sections)) {}

  // The file offset of `size` bytes at relative address `address`, all within one section's data.
  std::optional<std::uint64_t> FileOffset(std::uint32_t address, std::uint32_t size) const {
    for (const Section& section : sections_) {
      const std::uint64_t into = std::uint64_t{address} - section.address;
      if (address >= section.address && into + size <= section.fileSize &&
          into + size <= std::max(section.loadedSize, section.fileSize)) {
        return section.fileOffset + into;
      }
    }
    return std::nullopt;
  }

 private:
  std::vector<Section> sections_;
};

struct ImageLayout {
  ImageMap map;
  std::uint32_t resourceAddress;
  std::uint32_t resourceSize;
};

std::optional<ImageLayout> ReadImageLayout(std::istream& file) {
  const std::optional<FileBytes> dos = ReadFileBytesAt(file, 0, kPeHeaderPointerAt + 4);
  if (!dos || dos->U16(0) != ('M' | 'Z' << 8)) {
    return std::nullopt;
  }
  const std::uint32_t peAt = dos->U32(kPeHeaderPointerAt);
  const std::optional<FileBytes> header = ReadFileBytesAt(file, peAt, kFileHeaderSize);
  if (!header || header->U32(0) != ('P' | 'E' << 8)) {
    return std::nullopt;
  }
  const std::uint16_t sectionCount = header->U16(6);
  const std::uint16_t optionalSize = header->U16(20);
  const std::optional<FileBytes> optional =
      ReadFileBytesAt(file, std::uint64_t{peAt} + kFileHeaderSize, optionalSize);
  if (!optional || !optional->Has(0, 2)) {
    return std::nullopt;
  }
  const std::uint16_t magic = optional->U16(0);
  if (magic != kPe32 && magic != kPe32Plus) {
    return std::nullopt;
  }
  const std::size_t countAt = magic == kPe32 ? 92 : 108;
  const std::size_t directoriesAt = countAt + 4;
  const std::size_t resourceAt = directoriesAt + kResourceDirectory * 8;
  if (!optional->Has(countAt, 4) || optional->U32(countAt) <= kResourceDirectory ||
      !optional->Has(resourceAt, 8)) {
    return std::nullopt;
  }
  const std::optional<FileBytes> table =
      ReadFileBytesAt(file, std::uint64_t{peAt} + kFileHeaderSize + optionalSize,
                      std::size_t{sectionCount} * kSectionHeaderSize);
  if (!table) {
    return std::nullopt;
  }
  std::vector<Section> sections;
  for (std::size_t i = 0; i < sectionCount; ++i) {
    const std::size_t at = i * kSectionHeaderSize;
    sections.push_back(
        {table->U32(at + 12), table->U32(at + 8), table->U32(at + 20), table->U32(at + 16)});
  }
  return ImageLayout{ImageMap(std::move(sections)), optional->U32(resourceAt),
                     optional->U32(resourceAt + 4)};
}

// The resource directory, read whole: its entries point within it by offsets from its start.
class ResourceDirectory {
 public:
  explicit ResourceDirectory(FileBytes bytes) : bytes_(std::move(bytes)) {}

  // The offset that the entry for `id` (or, without one, the first entry) of the directory at
  // `at` points to, with whether it names a subdirectory.
  std::optional<std::pair<std::uint32_t, bool>> Entry(std::uint32_t at,
                                                      std::optional<std::uint32_t> id) const {
    if (!bytes_.Has(at, 16)) {
      return std::nullopt;
    }
    const std::uint32_t count = std::uint32_t{bytes_.U16(at + 12)} + bytes_.U16(at + 14);
    for (std::uint32_t i = 0; i < count; ++i) {
      const std::size_t entry = at + 16 + std::size_t{i} * 8;
      if (!bytes_.Has(entry, 8)) {
        return std::nullopt;
      }
      if (!id || bytes_.U32(entry) == *id) {
        const std::uint32_t target = bytes_.U32(entry + 4);
        return std::pair(target & ~kSubdirectoryFlag, (target & kSubdirectoryFlag) != 0);
      }
    }
    return std::nullopt;
  }

  // The relative address and size of the data that the data entry at `at` describes.
  std::optional<std::pair<std::uint32_t, std::uint32_t>> Data(std::uint32_t at) const {
    if (!bytes_.Has(at, 8)) {
      return std::nullopt;
    }
    return std::pair(bytes_.U32(at), bytes_.U32(at + 4));
  }

 private:
  FileBytes bytes_;
};

// The version resource's data: type, then name, then language, the first of each after the type.
std::optional<std::pair<std::uint32_t, std::uint32_t>> FindVersionData(
    const ResourceDirectory& directory) {
  const auto names = directory.Entry(0, kVersionResource);
  if (!names || !names->second) {
    return std::nullopt;
  }
  const auto languages = directory.Entry(names->first, std::nullopt);
  if (!languages || !languages->second) {
    return std::nullopt;
  }
  const auto data = directory.Entry(languages->first, std::nullopt);
  if (!data || data->second) {
    return std::nullopt;
  }
  return directory.Data(data->first);
}

bool HasVersionKey(const FileBytes& block) {
  for (std::size_t i = 0; i <= kVersionKey.size(); ++i) {
    const char16_t expected = i < kVersionKey.size() ? kVersionKey[i] : u'\0';
    if (block.U16(6 + 2 * i) != expected) {
      return false;
    }
  }
  return true;
}

}  // namespace

std::optional<std::array<std::uint16_t, 4>> ReadPeFileVersion(std::istream& file) {
  const std::optional<ImageLayout> image = ReadImageLayout(file);
  if (!image) {
    return std::nullopt;
  }
  const std::optional<std::uint64_t> resourcesAt =
      image->map.FileOffset(image->resourceAddress, image->resourceSize);
  if (!resourcesAt) {
    return std::nullopt;
  }
  std::optional<FileBytes> resources = ReadFileBytesAt(file, *resourcesAt, image->resourceSize);
  if (!resources) {
    return std::nullopt;
  }
  const auto versionData = FindVersionData(ResourceDirectory(std::move(*resources)));
  if (!versionData || versionData->second < kFixedInfoAt + kFixedInfoSize) {
    return std::nullopt;
  }
  const std::optional<std::uint64_t> blockAt =
      image->map.FileOffset(versionData->first, kFixedInfoAt + kFixedInfoSize);
  if (!blockAt) {
    return std::nullopt;
  }
  const std::optional<FileBytes> block =
      ReadFileBytesAt(file, *blockAt, kFixedInfoAt + kFixedInfoSize);
  if (!block || block->U16(2) < kFixedInfoSize || !HasVersionKey(*block) ||
      block->U32(kFixedInfoAt) != kFixedInfoSignature) {
    return std::nullopt;
  }
  const std::uint32_t mostSignificant = block->U32(kFixedInfoAt + 8);
  const std::uint32_t leastSignificant = block->U32(kFixedInfoAt + 12);
  return std::array<std::uint16_t, 4>{static_cast<std::uint16_t>(mostSignificant >> 16),
                                      static_cast<std::uint16_t>(mostSignificant),
                                      static_cast<std::uint16_t>(leastSignificant >> 16),
                                      static_cast<std::uint16_t>(leastSignificant)};
}

}  // namespace lintavo
