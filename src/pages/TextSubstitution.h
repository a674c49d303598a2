#pragma once

#include <string>
#include <string_view>

namespace lintavo {

// The template's bytes as lines joined again with CR LF after every line, the last one included.
// A line ends at CR, LF or CR LF; everything from the first NUL byte on is dropped.
std::string TemplateText(std::string_view bytes);

// Replaces every occurrence of `placeholder` in `text`, searching left to right with case
// counting; matches do not overlap and inserted text is not searched again by this same call.
void ReplaceAll(std::string& text, std::string_view placeholder, std::string_view replacement);

// Replaces the first occurrence of `placeholder` only.
void ReplaceFirst(std::string& text, std::string_view placeholder, std::string_view replacement);

}  // namespace lintavo
