#pragma once

#include <cstdint>
#include <string_view>

// Reads the fields of a Chromium "pickle", the serialisation its session commands are written in:
// a 32-bit payload size, then the fields, each starting at a multiple of 4 bytes. Integers are in
// the writing machine's byte order, which is little-endian on every machine Chromium's files come
// from; a string is a 32-bit length and that many bytes, a UTF-16 string a 32-bit count of code
// units and two bytes for each.
namespace lintavo::browsers {

class PickleReader {
 public:
  // A pickle whose header claims more payload than there is reads nothing.
  explicit PickleReader(std::string_view pickle);

  // Each read takes the next field; it fails, taking nothing, when the field is not all there.
  bool ReadInt(std::int32_t& value);
  bool ReadString(std::string_view& value);
  bool SkipString16();

 private:
  // The next `length` bytes, the reading position then moved on to the next multiple of 4.
  bool Take(std::uint64_t length, std::string_view& bytes);
  bool ReadLength(std::uint64_t& length);

  std::string_view rest_;
};

}  // namespace lintavo::browsers
