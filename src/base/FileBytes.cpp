#include "base/FileBytes.h"

#include <string_view>

#include "base/LittleEndian.h"

namespace lintavo {

std::uint64_t FileBytes::Number(std::uint64_t at, int size) const {
  return base::LittleEndian(std::string_view(bytes_).substr(at, static_cast<std::size_t>(size)));
}

std::optional<FileBytes> ReadFileBytesAt(std::istream& file, std::uint64_t offset,
                                         std::uint64_t size) {
  file.clear();
  file.seekg(0, std::ios::end);
  const std::streamoff length = file.tellg();
  if (length < 0 || offset > static_cast<std::uint64_t>(length) ||
      size > static_cast<std::uint64_t>(length) - offset) {
    return std::nullopt;
  }
  file.seekg(static_cast<std::streamoff>(offset));
  std::string bytes(size, '\0');
  if (!file.read(bytes.data(), static_cast<std::streamsize>(size))) {
    return std::nullopt;
  }
  return FileBytes(std::move(bytes));
}

}  // namespace lintavo
