#pragma once

#include <array>
#include <cstdint>
#include <istream>
#include <optional>

namespace lintavo {

// ELF files (the libraries of Linux and its kin) carry no version resource. A library of ours
// carries its version instead in a section named kVersionSectionName: four little-endian 16-bit
// numbers, V1 to V4, which the build gives it (LINTAVO_VERSION_SECTION puts them there).
inline constexpr char kVersionSectionName[] = ".lintavo_version";

#define LINTAVO_VERSION_SECTION [[gnu::section(".lintavo_version"), gnu::used]]

// The version in that section of the ELF file read from `file`; nothing for a file that is no
// little-endian ELF file, has no such section, or whose headers are damaged.
std::optional<std::array<std::uint16_t, 4>> ReadElfFileVersion(std::istream& file);

}  // namespace lintavo
