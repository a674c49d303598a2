#pragma once

#include <array>
#include <cstdint>
#include <istream>
#include <optional>

namespace lintavo {

// The file version (V1 to V4) of the PE file (a Windows executable or library) read from `file`:
// the fixed version information of its first version resource. Nothing for a file that is no PE
// file, has no version resource, or whose headers or resource directory are damaged: every offset
// is checked against the file, and the resource directory is walked its three levels deep and no
// further, so a directory that points back into itself ends the walk.
std::optional<std::array<std::uint16_t, 4>> ReadPeFileVersion(std::istream& file);

}  // namespace lintavo
