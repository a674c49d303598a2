#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace lintavo {

// A file's version from its fixed version information: four numbers V1.V2.V3.V4, V1 and V2 the
// high and low words of the most significant half, V3 and V4 those of the least significant one.
struct FileVersion {
  std::array<std::uint16_t, 4> numbers{};
  std::string text;  // "4.74.9273.0"; empty, with all numbers 0, when the file has no version
};

// The version of the numbers, its text in decimal without leading zeros.
FileVersion MakeFileVersion(std::uint16_t v1, std::uint16_t v2, std::uint16_t v3, std::uint16_t v4);

// The version of the Windows executable or library `path` (a PE file's version resource), or of a
// library of ours that carries its version as diagnostics/ElfVersion.h describes. Empty for a path
// that is empty, names no file, or a file without a version.
FileVersion GetFileVersionText(const std::string& path);

// 0 when the versions are equal, 1 when `a` is greater and -1 when it is smaller, comparing V1,
// then V2, V3 and V4.
int CompareVersions(const FileVersion& a, const FileVersion& b);

}  // namespace lintavo
