#pragma once

#include <cstdint>
#include <string_view>

namespace lintavo::os::posix {

// The number that `bytes` (at most 4 of them) store least significant byte first, read the same on
// a machine of either byte order. The browsers' binary files are written that way.
inline std::uint32_t LittleEndian(std::string_view bytes) {
  std::uint32_t value = 0;
  for (std::size_t i = bytes.size() < 4 ? bytes.size() : 4; i-- > 0;) {
    value = value << 8 | static_cast<unsigned char>(bytes[i]);
  }
  return value;
}

}  // namespace lintavo::os::posix
