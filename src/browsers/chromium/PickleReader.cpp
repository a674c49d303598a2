#include "browsers/chromium/PickleReader.h"

#include <cstddef>

#include "base/LittleEndian.h"

namespace lintavo::browsers {

namespace {

constexpr std::uint64_t kAlignment = 4;

}  // namespace

PickleReader::PickleReader(std::string_view pickle) {
  if (pickle.size() < 4) {
    return;
  }
  const auto payloadSize = static_cast<std::uint32_t>(base::LittleEndian(pickle.substr(0, 4)));
  if (payloadSize <= pickle.size() - 4) {
    rest_ = pickle.substr(4, payloadSize);
  }
}

bool PickleReader::Take(std::uint64_t length, std::string_view& bytes) {
  if (length > rest_.size()) {
    return false;
  }
  bytes = rest_.substr(0, length);
  const std::uint64_t padded = (length + kAlignment - 1) / kAlignment * kAlignment;
  rest_.remove_prefix(padded < rest_.size() ? padded : rest_.size());
  return true;
}

bool PickleReader::ReadInt(std::int32_t& value) {
  std::string_view bytes;
  if (!Take(4, bytes)) {
    return false;
  }
  value = static_cast<std::int32_t>(base::LittleEndian(bytes));
  return true;
}

bool PickleReader::ReadLength(std::uint64_t& length) {
  const std::string_view before = rest_;
  std::int32_t count = 0;
  if (!ReadInt(count) || count < 0) {
    rest_ = before;
    return false;
  }
  length = static_cast<std::uint64_t>(count);
  return true;
}

bool PickleReader::ReadString(std::string_view& value) {
  const std::string_view before = rest_;
  std::uint64_t length = 0;
  if (ReadLength(length) && Take(length, value)) {
    return true;
  }
  rest_ = before;
  return false;
}

bool PickleReader::SkipString16() {
  const std::string_view before = rest_;
  std::uint64_t units = 0;
  std::string_view ignored;
  if (ReadLength(units) && Take(units * 2, ignored)) {
    return true;
  }
  rest_ = before;
  return false;
}

}  // namespace lintavo::browsers
