#include "pages/TextSubstitution.h"

#include <stdexcept>
#include <utility>

namespace lintavo {

namespace {

constexpr std::string_view kLineBreak = "\r\n";

// Throws std::length_error unless `kept` bytes plus `copies` copies of a `size`-byte replacement
// fit in `maxSize` bytes; no step of the sum can overflow.
void RequireFits(std::size_t kept, std::size_t copies, std::size_t size, std::size_t maxSize) {
  if (kept > maxSize || (size != 0 && copies > (maxSize - kept) / size)) {
    throw std::length_error("The text would be larger than " + std::to_string(maxSize) + " bytes.");
  }
}

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

void ReplaceAll(std::string& text, std::string_view placeholder, std::string_view replacement,
                std::size_t maxSize) {
  if (placeholder.empty()) {
    return;
  }
  std::size_t match = text.find(placeholder);
  if (match == std::string::npos) {
    return;
  }
  // Counted first, so that a result too large is refused before any of it is built.
  std::size_t matches = 0;
  for (std::size_t at = match; at != std::string::npos;
       at = text.find(placeholder, at + placeholder.size())) {
    ++matches;
  }
  const std::size_t kept = text.size() - matches * placeholder.size();
  RequireFits(kept, matches, replacement.size(), maxSize);

  std::string result;
  result.reserve(kept + matches * replacement.size());
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

void ReplaceFirst(std::string& text, std::string_view placeholder, std::string_view replacement,
                  std::size_t maxSize) {
  if (placeholder.empty()) {
    return;
  }
  const std::size_t match = text.find(placeholder);
  if (match != std::string::npos) {
    RequireFits(text.size() - placeholder.size(), 1, replacement.size(), maxSize);
    text.replace(match, placeholder.size(), replacement);
  }
}

}  // namespace lintavo
