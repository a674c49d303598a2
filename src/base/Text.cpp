#include "base/Text.h"

#include <algorithm>
#include <array>

namespace lintavo::base {

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

bool IsAsciiLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsAsciiDigit(char c) {
  return c >= '0' && c <= '9';
}

std::optional<int> HexDigitValue(char c) {
  if (IsAsciiDigit(c)) {
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

namespace {

// The characters Windows-1252 gives the bytes 0x80 to 0x9F; from 0xA0 on it agrees with
// Latin-1, whose characters have the numbers of their bytes. The undefined bytes keep their
// numbers too, as C1 controls.
constexpr std::array<char16_t, 32> kWindows1252From80 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

char32_t Windows1252Character(unsigned char byte) {
  return byte >= 0x80 && byte <= 0x9F ? kWindows1252From80[byte - 0x80] : char32_t{byte};
}

// The well-formed UTF-8 sequence at the start of `bytes` (Unicode's table of well-formed byte
// sequences); a length of 0 when there is none.
PageTextCharacter Utf8SequenceAt(std::string_view bytes) {
  const auto lead = static_cast<unsigned char>(bytes.front());
  if (lead < 0x80) {
    return {lead, 1, true};
  }
  PageTextCharacter sequence;
  // The range the second byte must lie in; the others lie in 80 to BF.
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    sequence = {lead & 0x1Fu, 2, true};
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    sequence = {lead & 0x0Fu, 3, true};
    low = lead == 0xE0 ? 0xA0 : low;
    high = lead == 0xED ? 0x9F : high;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    sequence = {lead & 0x07u, 4, true};
    low = lead == 0xF0 ? 0x90 : low;
    high = lead == 0xF4 ? 0x8F : high;
  } else {
    return {};
  }
  if (bytes.size() < sequence.length) {
    return {};
  }
  for (std::size_t i = 1; i < sequence.length; ++i) {
    const auto next = static_cast<unsigned char>(bytes[i]);
    if (next < low || next > high) {
      return {};
    }
    low = 0x80;
    high = 0xBF;
    sequence.codePoint = (sequence.codePoint << 6) | (next & 0x3Fu);
  }
  return sequence;
}

}  // namespace

PageTextCharacter FirstCharacter(std::string_view bytes) {
  const PageTextCharacter sequence = Utf8SequenceAt(bytes);
  if (sequence.length != 0) {
    return sequence;
  }
  return {Windows1252Character(static_cast<unsigned char>(bytes.front())), 1, false};
}

void AppendUtf8(std::string& text, std::uint32_t code) {
  if (code < 0x80) {
    text += static_cast<char>(code);
  } else if (code < 0x800) {
    text += static_cast<char>(0xC0 | (code >> 6));
    text += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    text += static_cast<char>(0xE0 | (code >> 12));
    text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    text += static_cast<char>(0xF0 | (code >> 18));
    text += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (code & 0x3F));
  }
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

}  // namespace lintavo::base
