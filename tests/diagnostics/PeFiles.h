#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace lintavo::test {

// Where the parts of the file PeFileWithVersion makes lie, for tests that damage one.
inline constexpr std::size_t kPeResourcesAt = 0x200;  // the resource directory's root
inline constexpr std::size_t kPeNameDirectoryAt = kPeResourcesAt + 24;
inline constexpr std::size_t kPeFirstNameEntryAt = kPeNameDirectoryAt + 16;

// A small Windows library: headers, one section ".rsrc" whose resource directory holds one
// version resource (type 16, name 1, language 0x409) with the given file version. `pe32Plus`
// makes it a 64-bit image.
std::string PeFileWithVersion(std::array<std::uint16_t, 4> version, bool pe32Plus = false);

// The bytes of `file` with the little-endian 32-bit `value` at `at`.
std::string WithNumberAt(std::string file, std::size_t at, std::uint32_t value);

}  // namespace lintavo::test
