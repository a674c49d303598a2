#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// How single lines and values of the settings file are read and written. ProfileFile arranges
// the lines into sections; everything about the text of one line lives here.
namespace lintavo::profile {

// A read returns at most this many characters of a value.
inline constexpr std::size_t kMaxValueLength = 2047;

// A name or a line as the 8-bit world sees it: a C string, so it ends at the first NUL byte,
// without the spaces and tabs around it.
std::string_view Normalized(std::string_view text);

struct LineMeaning {
  enum class Kind {
    kBlank,           // nothing but spaces and tabs
    kSection,         // "[name]", anything after the bracket ignored
    kUnnamedSection,  // "[name" without the closing bracket: its keys cannot be asked for
    kKey,             // "key=value"
    kText,            // anything else, e.g. a comment: kept, never read
  };
  Kind kind;
  std::string_view name;  // the section name or the key; empty for the other kinds
};

// What one line of the file (without its line end) means. `name` points into `line`.
LineMeaning Interpret(std::string_view line);

// The value a read returns for a key line: trimmed, one pair of matching quotes dropped, at most
// kMaxValueLength characters. It points into `keyLine`.
std::string_view ValueOfKeyLine(std::string_view keyLine);

// The line that stores `value` under `key` so that ValueOfKeyLine gives `value` back, except that
// CR and LF become spaces (a value never spans lines) and a NUL byte ends the value.
std::string MakeKeyLine(std::string_view key, std::string_view value);

// An integer written as optional sign and decimal digits within 32 bits, or optional sign and
// "$" / "0x" / "0X" and hexadecimal digits within 32 bits (the bit pattern is the value, so
// "$FFFFFFFF" is -1). Nothing for any other text.
std::optional<int> ParseInteger(std::string_view text);

}  // namespace lintavo::profile
