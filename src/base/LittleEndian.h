#pragma once

#include <cstdint>
#include <string_view>

namespace lintavo::base {

// The number that `bytes` (at most 8 of them) store least significant byte first, read the same on
// a machine of either byte order: the binary files the program reads (the browsers' session
// files, executables' headers, the help file's records) are written that way.
inline std::uint64_t LittleEndian(std::string_view bytes) {
  std::uint64_t value = 0;
  for (std::size_t i = bytes.size() < 8 ? bytes.size() : 8; i-- > 0;) {
    value = value << 8 | static_cast<unsigned char>(bytes[i]);
  }
  return value;
}

}  // namespace lintavo::base
