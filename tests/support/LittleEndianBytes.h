#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Numbers written into the bytes of a binary file a test makes or damages, least significant
// byte first, as the formats the program reads store them.
namespace lintavo::test {

// Writes the low `size` bytes of `value` at `at`, growing `bytes` when it is shorter.
inline void PutLittleEndian(std::string& bytes, std::size_t at, std::uint64_t value, int size) {
  const std::size_t end = at + static_cast<std::size_t>(size);
  if (bytes.size() < end) {
    bytes.resize(end);
  }
  for (std::size_t i = 0; at + i < end; ++i) {
    bytes[at + i] = static_cast<char>(value >> (8 * i) & 0xFF);
  }
}

inline void AppendLittleEndian(std::string& bytes, std::uint64_t value, int size) {
  PutLittleEndian(bytes, bytes.size(), value, size);
}

}  // namespace lintavo::test
