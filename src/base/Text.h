#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Small routines on 8-bit text that the readers and writers of files share.
namespace lintavo::base {

// Text as a C string holds it: up to the first NUL byte.
std::string_view UpToNul(std::string_view text);

// A space or a tab.
bool IsBlank(char c);

std::string_view TrimLeadingBlanks(std::string_view text);
std::string_view TrimBlanks(std::string_view text);
// Without the spaces and control characters (every byte up to and including the space) at both
// ends, as the checks of what a person typed see it.
std::string_view TrimSpacesAndControls(std::string_view text);

// An ASCII letter in lower case; every other byte (UTF-8 included) unchanged.
char AsciiLower(char c);
// `text` with its ASCII letters in lower case.
std::string AsciiLowerCase(std::string_view text);
bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b);

// The value of a hexadecimal digit (0-9, a-f, A-F); nothing for any other byte.
std::optional<int> HexDigitValue(char c);

bool IsAsciiLetter(char c);  // A to Z, a to z
bool IsAsciiDigit(char c);   // 0 to 9

// The first character of 8-bit page text (`bytes` not empty). Page text is UTF-8, but a settings
// file brought from Windows holds its names and captions in the Windows code page: so a
// well-formed UTF-8 sequence (no overlong forms, no surrogates, nothing above U+10FFFF) is the
// character it encodes, and any other byte is one character, its Windows-1252 one ("M\xFAsica"
// reads as "Música"). The five bytes Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D)
// read as the C1 controls of the same number, as Windows converts them: every byte keeps a
// character of its own, and none becomes U+FFFD.
struct PageTextCharacter {
  char32_t codePoint = 0;
  std::size_t length = 0;  // how many bytes it takes
  bool utf8 = false;       // read as UTF-8 (every ASCII byte is); else as Windows-1252
};
PageTextCharacter FirstCharacter(std::string_view bytes);

// Appends the UTF-8 bytes of the character `code` (a Unicode scalar value) to `text`.
void AppendUtf8(std::string& text, std::uint32_t code);

// Every byte of `bytes` as a URL escapes it: "%" and two upper-case hexadecimal digits.
std::string PercentEncoded(std::string_view bytes);

// A stable 64-bit hash (FNV-1a), the same in every run and on every machine; the second ignores
// ASCII case, to go with EqualIgnoringAsciiCase.
std::uint64_t StableHash(std::string_view text);
std::uint64_t StableHashIgnoringAsciiCase(std::string_view text);

// Takes the text up to the first `separator` off the front of `rest` and returns it; `rest` keeps
// what follows the separator (nothing when there is none).
std::string_view TakeField(std::string_view& rest, char separator);

// Takes the next line off `rest`, without its LF or CR LF.
std::string_view TakeLine(std::string_view& rest);

}  // namespace lintavo::base
