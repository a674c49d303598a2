#pragma once

#include <cstdint>
#include <istream>
#include <optional>
#include <string>

// Reading the headers of binary files whose offsets come from the files themselves, every one
// checked.
namespace lintavo {

// Little-endian numbers at offsets of a piece of a file; Has tells whether they lie within it.
class FileBytes {
 public:
  explicit FileBytes(std::string bytes) : bytes_(std::move(bytes)) {}

  bool Has(std::uint64_t at, std::uint64_t size) const {
    return at <= bytes_.size() && size <= bytes_.size() - at;
  }
  // The number of `size` bytes (at most 8) at `at`, which must lie within the piece.
  std::uint64_t Number(std::uint64_t at, int size) const;
  std::uint16_t U16(std::uint64_t at) const { return static_cast<std::uint16_t>(Number(at, 2)); }
  std::uint32_t U32(std::uint64_t at) const { return static_cast<std::uint32_t>(Number(at, 4)); }
  std::string Text(std::uint64_t at, std::uint64_t size) const { return bytes_.substr(at, size); }

 private:
  std::string bytes_;
};

// `size` bytes at `offset` of the file, or nothing when the file is shorter. The file's length is
// checked first, so a size a damaged header claims never takes memory the file does not fill.
std::optional<FileBytes> ReadFileBytesAt(std::istream& file, std::uint64_t offset,
                                         std::uint64_t size);

}  // namespace lintavo
