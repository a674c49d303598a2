#include "pages/TextSubstitution.h"

#include <utility>

namespace lintavo {

namespace {

constexpr std::string_view kLineBreak = "\r\n";

}  // namespace

std::string TemplateText(std::string_view bytes) {
  bytes = bytes.substr(0, bytes.find('\0'));
  std::string text;
  text.reserve(bytes.size() + bytes.size() / 16);
  std::size_t lineStart = 0;
  while (lineStart < bytes.size()) {
    const std::size_t lineEnd = bytes.find_first_of("\r\n", lineStart);
    if (lineEnd == std::string_view::npos) {
      text.append(bytes.substr(lineStart));
      text.append(kLineBreak);
      break;
    }
    text.append(bytes.substr(lineStart, lineEnd - lineStart));
    text.append(kLineBreak);
    const bool crLf =
        bytes[lineEnd] == '\r' && lineEnd + 1 < bytes.size() && bytes[lineEnd + 1] == '\n';
    lineStart = lineEnd + (crLf ? 2 : 1);
  }
  return text;
}

void ReplaceAll(std::string& text, std::string_view placeholder, std::string_view replacement) {
  std::size_t match = text.find(placeholder);
  if (match == std::string::npos) {
    return;
  }
  std::string result;
  result.reserve(text.size() + replacement.size());
  std::size_t copied = 0;
  do {
    result.append(text, copied, match - copied);
    result.append(replacement);
    copied = match + placeholder.size();
    match = text.find(placeholder, copied);
  } while (match != std::string::npos);
  result.append(text, copied);
  text = std::move(result);
}

void ReplaceFirst(std::string& text, std::string_view placeholder, std::string_view replacement) {
  const std::size_t match = text.find(placeholder);
  if (match != std::string::npos) {
    text.replace(match, placeholder.size(), replacement);
  }
}

}  // namespace lintavo
