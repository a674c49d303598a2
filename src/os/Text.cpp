#include "os/Text.h"

#include <algorithm>

namespace lintavo::os {

namespace {

template <typename Transform>
std::uint64_t Fnv1a(std::string_view text, Transform transform) {
  std::uint64_t hash = 0xcbf29ce484222325u;
  for (const char c : text) {
    hash = (hash ^ static_cast<unsigned char>(transform(c))) * 0x100000001b3u;
  }
  return hash;
}

}  // namespace

std::string_view UpToNul(std::string_view text) {
  return text.substr(0, text.find('\0'));
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view TrimLeadingBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) {
    text.remove_prefix(1);
  }
  return text;
}

std::string_view TrimBlanks(std::string_view text) {
  text = TrimLeadingBlanks(text);
  while (!text.empty() && IsBlank(text.back())) {
    text.remove_suffix(1);
  }
  return text;
}

std::string_view TrimSpacesAndControls(std::string_view text) {
  const auto isSpaceOrControl = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  while (!text.empty() && isSpaceOrControl(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && isSpaceOrControl(text.back())) {
    text.remove_suffix(1);
  }
  return text;
}

char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string AsciiLowerCase(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(), AsciiLower);
  return lower;
}

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

std::uint64_t StableHash(std::string_view text) {
  return Fnv1a(text, [](char c) { return c; });
}

std::uint64_t StableHashIgnoringAsciiCase(std::string_view text) {
  return Fnv1a(text, AsciiLower);
}

std::string_view TakeField(std::string_view& rest, char separator) {
  const std::size_t end = rest.find(separator);
  const std::string_view field = rest.substr(0, end);
  rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
  return field;
}

std::string_view TakeLine(std::string_view& rest) {
  std::string_view line = TakeField(rest, '\n');
  if (line.ends_with('\r')) {
    line.remove_suffix(1);
  }
  return line;
}

std::optional<int> HexDigitValue(char c) {
  if (c >= '0' && c <= '9') {
    return c - '0';
  }
  if (c >= 'a' && c <= 'f') {
    return c - 'a' + 10;
  }
  if (c >= 'A' && c <= 'F') {
    return c - 'A' + 10;
  }
  return std::nullopt;
}

std::string PercentEncoded(std::string_view bytes) {
  constexpr std::string_view kDigits = "0123456789ABCDEF";
  std::string encoded;
  encoded.reserve(bytes.size() * 3);
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    encoded += '%';
    encoded += kDigits[byte >> 4];
    encoded += kDigits[byte & 0xF];
  }
  return encoded;
}

}  // namespace lintavo::os
