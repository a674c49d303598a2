#include "browsers/firefox/MozLz4.h"

#include <lz4.h>

#include <climits>
#include <cstdint>

#include "base/LittleEndian.h"

namespace lintavo::browsers {

namespace {

constexpr std::string_view kMagic("mozLz40\0", 8);
constexpr std::size_t kSizeFieldLength = 4;
constexpr std::size_t kHeaderLength = kMagic.size() + kSizeFieldLength;
// LZ4 makes at most 255 bytes of one byte of a block (a length byte of 255 for a repeated match).
constexpr std::uint64_t kMaxExpansion = 255;

}  // namespace

std::optional<std::string> DecodeMozLz4(std::string_view file, std::size_t maxSize) {
  if (file.size() < kHeaderLength || !file.starts_with(kMagic)) {
    return std::nullopt;
  }
  const auto declaredSize =
      static_cast<std::uint32_t>(base::LittleEndian(file.substr(kMagic.size(), kSizeFieldLength)));
  const std::string_view block = file.substr(kHeaderLength);
  // A size the block cannot hold is a lie, refused before anything is allocated for it. LZ4
  // counts in int: the cap keeps every size far below its limit.
  if (declaredSize > maxSize || declaredSize > kMaxExpansion * block.size() ||
      declaredSize > INT_MAX || block.size() > INT_MAX) {
    return std::nullopt;
  }
  std::string content(declaredSize, '\0');
  const int decoded = LZ4_decompress_safe(
      block.data(), content.data(), static_cast<int>(block.size()), static_cast<int>(declaredSize));
  if (decoded < 0 || static_cast<std::uint32_t>(decoded) != declaredSize) {
    return std::nullopt;
  }
  return content;
}

}  // namespace lintavo::browsers
