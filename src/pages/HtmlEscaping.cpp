#include "pages/HtmlEscaping.h"

#include "base/Text.h"

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
  escaped.reserve(text.size());
  while (!text.empty()) {
    const char c = text.front();
    if (kSpecialCharacters.find(c) != std::string_view::npos) {
      escaped.append(CharacterReference(c));
      text.remove_prefix(1);
      continue;
    }
    const base::PageTextCharacter character = base::FirstCharacter(text);
    if (character.utf8) {
      escaped.append(text.substr(0, character.length));
    } else {
      escaped += "&#" + std::to_string(character.codePoint) + ";";
    }
    text.remove_prefix(character.length);
  }
  return escaped;
}

}  // namespace lintavo
