#include "pages/TextSubstitution.h"

#include <algorithm>
#include <iterator>
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
  if (placeholder.empty()) {
    return;
  }
  std::size_t match = text.find(placeholder);
  if (match == std::string::npos) {
    return;
  }
  std::string result;
  result.reserve(text.size());
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
  if (placeholder.empty()) {
    return;
  }
  const std::size_t match = text.find(placeholder);
  if (match != std::string::npos) {
    text.replace(match, placeholder.size(), replacement);
  }
}

MarkedText::MarkedText(std::string text, std::string_view marker)
    : text_(std::move(text)), marker_(marker) {
  FindMarkers();
}

void MarkedText::FindMarkers() {
  markers_.clear();
  if (marker_.empty()) {
    return;
  }
  for (std::size_t at = text_.find(marker_); at != std::string::npos;
       at = text_.find(marker_, at + 1)) {
    markers_.push_back(at);
  }
}

void MarkedText::ReplaceAll(std::string_view placeholder, std::string_view replacement) {
  if (placeholder.empty()) {
    return;
  }
  if (marker_.empty() || !placeholder.starts_with(marker_)) {
    lintavo::ReplaceAll(text_, placeholder, replacement);
    FindMarkers();
    return;
  }
  // Left to right without overlaps, as a search from the end of each match would find them.
  std::vector<std::size_t> matches;
  std::size_t searchFrom = 0;
  for (const std::size_t at : markers_) {
    if (at >= searchFrom && text_.compare(at, placeholder.size(), placeholder) == 0) {
      matches.push_back(at);
      searchFrom = at + placeholder.size();
    }
  }
  if (matches.empty()) {
    return;
  }
  Rebuild(matches, placeholder.size(), replacement);
}

void MarkedText::ReplaceFirst(std::string_view placeholder, std::string_view replacement) {
  lintavo::ReplaceFirst(text_, placeholder, replacement);
  FindMarkers();
}

void MarkedText::Rebuild(const std::vector<std::size_t>& matches, std::size_t placeholderSize,
                         std::string_view replacement) {
  if (matches.size() == 1) {
    ReplaceOne(matches.front(), placeholderSize, replacement);
    return;
  }
  // Where the i-th replacement begins in the new text.
  const auto insertedAt = [&](std::size_t i) {
    return matches[i] - i * placeholderSize + i * replacement.size();
  };

  // A marker wholly in text that stays keeps its place, moved as far as that text moves; one in
  // or across a match is gone.
  std::vector<std::size_t> kept;
  std::size_t passed = 0;  // matches that end at or before the marker
  for (const std::size_t at : markers_) {
    while (passed < matches.size() && matches[passed] + placeholderSize <= at) {
      ++passed;
    }
    if (passed == matches.size() || at + marker_.size() <= matches[passed]) {
      kept.push_back(at - passed * placeholderSize + passed * replacement.size());
    }
  }

  std::string text;
  text.reserve(text_.size() - matches.size() * placeholderSize +
               matches.size() * replacement.size());
  std::size_t copied = 0;
  for (const std::size_t match : matches) {
    text.append(text_, copied, match - copied);
    text.append(replacement);
    copied = match + placeholderSize;
  }
  text.append(text_, copied);
  text_ = std::move(text);

  // New markers lie in or across inserted text, or across the seam an empty replacement leaves:
  // they begin before the inserted text ends (before it begins, when it is empty) and end after
  // it begins.
  std::vector<std::size_t> found;
  std::size_t searchFrom = 0;
  for (std::size_t i = 0; i < matches.size(); ++i) {
    const std::size_t start = insertedAt(i);
    const std::size_t first = std::max(searchFrom, start - std::min(start, marker_.size() - 1));
    const std::size_t end = start + replacement.size();
    if (first < end) {
      const std::string_view window =
          std::string_view(text_).substr(first, end - first + marker_.size() - 1);
      for (std::size_t at = window.find(marker_); at != std::string_view::npos;
           at = window.find(marker_, at + 1)) {
        found.push_back(first + at);
      }
    }
    searchFrom = std::max(searchFrom, end);
  }
  markers_.clear();
  std::merge(kept.begin(), kept.end(), found.begin(), found.end(), std::back_inserter(markers_));
}

// Most placeholders of a page occur once, and most replacements hold no marker. The markers are
// then updated where they lie, with nothing made anew: those that end before the match stay,
// those in or across it go, new ones in or across the inserted text take their place, and those
// after it move by the change in length.
void MarkedText::ReplaceOne(std::size_t match, std::size_t placeholderSize,
                            std::string_view replacement) {
  const std::size_t markerSize = marker_.size();
  const auto gone = std::lower_bound(markers_.begin(), markers_.end(),
                                     match + 1 - std::min(match + 1, markerSize));
  const auto after = std::lower_bound(gone, markers_.end(), match + placeholderSize);
  for (auto moved = after; moved != markers_.end(); ++moved) {
    *moved = *moved - placeholderSize + replacement.size();
  }

  text_.replace(match, placeholderSize, replacement);

  std::vector<std::size_t> found;
  const std::size_t first = match - std::min(match, markerSize - 1);
  const std::size_t end = match + replacement.size();
  if (first < end) {
    const std::string_view window =
        std::string_view(text_).substr(first, end - first + markerSize - 1);
    for (std::size_t at = window.find(marker_); at != std::string_view::npos;
         at = window.find(marker_, at + 1)) {
      found.push_back(first + at);
    }
  }
  markers_.insert(markers_.erase(gone, after), found.begin(), found.end());
}

}  // namespace lintavo
