#include "diagnostics/FileVersion.h"

#include <fstream>

#include "diagnostics/ElfVersion.h"
#include "diagnostics/PeVersion.h"
#include "os/Files.h"

namespace lintavo {

FileVersion MakeFileVersion(std::uint16_t v1, std::uint16_t v2, std::uint16_t v3,
                            std::uint16_t v4) {
  return {{v1, v2, v3, v4},
          std::to_string(v1) + "." + std::to_string(v2) + "." + std::to_string(v3) + "." +
              std::to_string(v4)};
}

FileVersion GetFileVersionText(const std::string& path) {
  if (path.empty() || !os::FileExists(path)) {
    return {};
  }
  std::ifstream file(path, std::ios::binary);
  std::optional<std::array<std::uint16_t, 4>> numbers = ReadPeFileVersion(file);
  if (!numbers) {
    numbers = ReadElfFileVersion(file);
  }
  if (!numbers) {
    return {};
  }
  return MakeFileVersion((*numbers)[0], (*numbers)[1], (*numbers)[2], (*numbers)[3]);
}

int CompareVersions(const FileVersion& a, const FileVersion& b) {
  return a.numbers == b.numbers ? 0 : a.numbers > b.numbers ? 1 : -1;
}

}  // namespace lintavo
