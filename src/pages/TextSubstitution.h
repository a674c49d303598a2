#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace lintavo {

// The template's bytes as lines joined again with CR LF after every line, the last one included.
// A line ends at CR, LF or CR LF; everything from the first NUL byte on is dropped.
std::string TemplateText(std::string_view bytes);

// Replaces every occurrence of `placeholder` in `text`, searching left to right with case
// counting; matches do not overlap and inserted text is not searched again by this same call.
// An empty placeholder matches nothing.
void ReplaceAll(std::string& text, std::string_view placeholder, std::string_view replacement);

// Replaces the first occurrence of `placeholder` only, with the same rules.
void ReplaceFirst(std::string& text, std::string_view placeholder, std::string_view replacement);

// A text in which placeholders that all begin with one marker ("<RD>") are replaced one after
// another, with exactly the results ReplaceAll and ReplaceFirst give, but without searching the
// whole text for each one: the places where the marker occurs are kept, and after each
// replacement only the text around what was inserted is searched for new ones. A placeholder
// occurs only where its marker does, so finding it means checking those places alone. Placeholders
// that do not begin with the marker are replaced by a search of the whole text, as ReplaceAll does.
class MarkedText {
 public:
  MarkedText(std::string text, std::string_view marker);

  // As ReplaceAll and ReplaceFirst on the text.
  void ReplaceAll(std::string_view placeholder, std::string_view replacement);
  void ReplaceFirst(std::string_view placeholder, std::string_view replacement);

  const std::string& Text() const { return text_; }
  std::string Take() { return std::move(text_); }

 private:
  void FindMarkers();
  // The text with each of `matches` (positions of `placeholder`) replaced, and its markers.
  void Rebuild(const std::vector<std::size_t>& matches, std::size_t placeholderSize,
               std::string_view replacement);
  // Rebuild for a single match at `match`.
  void ReplaceOne(std::size_t match, std::size_t placeholderSize, std::string_view replacement);

  std::string text_;
  std::string marker_;
  std::vector<std::size_t> markers_;  // where the marker occurs in text_, in ascending order
};

}  // namespace lintavo
