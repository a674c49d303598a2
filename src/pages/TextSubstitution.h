#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lintavo {

// The template's bytes as lines joined again with CR LF after every line, the last one included.
// A line ends at CR, LF or CR LF; everything from the first NUL byte on is dropped.
std::string TemplateText(std::string_view bytes);

// Replaces every occurrence of `placeholder` in `text`, searching left to right with case
// counting; matches do not overlap and inserted text is not searched again by this same call.
// An empty placeholder matches nothing. Throws std::length_error, leaving `text` as it was, when
// the result would be longer than `maxSize` bytes: inserted text may hold placeholders that later
// replacements expand again, which can grow a text exponentially.
void ReplaceAll(std::string& text, std::string_view placeholder, std::string_view replacement,
                std::size_t maxSize);

// Replaces the first occurrence of `placeholder` only, with the same rules.
void ReplaceFirst(std::string& text, std::string_view placeholder, std::string_view replacement,
                  std::size_t maxSize);

}  // namespace lintavo
