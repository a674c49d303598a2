#include "pages/HtmlEscaping.h"

namespace lintavo {

namespace {

constexpr std::string_view kSpecialCharacters = "&<>\"'";

std::string_view CharacterReference(char c) {
  switch (c) {
    case '&':
      return "&amp;";
    case '<':
      return "&lt;";
    case '>':
      return "&gt;";
    case '"':
      return "&quot;";
    default:  // the single quote, the last of kSpecialCharacters
      return "&#39;";
  }
}

}  // namespace

std::string EscapedForHtml(std::string_view text) {
  std::string escaped;
  std::size_t copied = 0;
  for (std::size_t at = text.find_first_of(kSpecialCharacters); at != std::string_view::npos;
       at = text.find_first_of(kSpecialCharacters, copied)) {
    escaped.append(text, copied, at - copied);
    escaped.append(CharacterReference(text[at]));
    copied = at + 1;
  }
  escaped.append(text, copied);
  return escaped;
}

}  // namespace lintavo
