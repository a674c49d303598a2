#include "base/ProfileText.h"

#include <algorithm>
#include <cstdint>
#include <deque>
#include <optional>
#include <stdexcept>
#include <unordered_map>
#include <utility>
#include <vector>

#include "base/ProfileSyntax.h"
#include "base/Text.h"

namespace lintavo {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kLineEnd = "\r\n";

// Section names and keys compare without regard to ASCII case.
struct CaseInsensitiveHash {
  std::size_t operator()(std::string_view text) const {
    return static_cast<std::size_t>(base::StableHashIgnoringAsciiCase(text));
  }
};

struct CaseInsensitiveEqual {
  bool operator()(std::string_view left, std::string_view right) const {
    return base::EqualIgnoringAsciiCase(left, right);
  }
};

// Maps a name to the position of its first occurrence. The names point into the stored lines.
using FirstPositionOf =
    std::unordered_map<std::string_view, std::size_t, CaseInsensitiveHash, CaseInsensitiveEqual>;

bool HoldsLineBreak(std::string_view name) {
  return name.find_first_of("\r\n") != std::string_view::npos;
}

// Names that would not read back as written: "]" ends a section name early; a key line that
// begins with "[" is a section line; "=" ends a key early; a byte-order mark at the start of the
// file is skipped; a line break splits the line.
void RequireStorableNames(std::string_view section, std::string_view key) {
  if (section.find(']') != std::string_view::npos || HoldsLineBreak(section)) {
    throw std::invalid_argument("The settings file cannot hold the section name \"" +
                                std::string(section) + "\".");
  }
  if (key.starts_with('[') || key.starts_with(kByteOrderMark) ||
      key.find('=') != std::string_view::npos || HoldsLineBreak(key)) {
    throw std::invalid_argument("The settings file cannot hold the key \"" + std::string(key) +
                                "\".");
  }
}

}  // namespace

// The file as lines, grouped by the section line that starts them. Sections keep their lines
// apart, so adding a key to one section never moves the lines of the others.
struct ProfileText::Content {
  struct Section {
    std::string_view heading;  // the section line; unused for the first section
    // Every line up to and including the last one that is not blank: a new key goes after it.
    std::vector<std::string_view> lines;
    std::vector<std::string_view> trailingBlankLines;
    FirstPositionOf keys;  // key -> index in `lines`
  };

  // Every line points into the text as read or into a line made by a write. Neither is changed
  // or dropped while the content lives, so the text is never copied line by line.
  const std::string fileBytes;
  std::deque<std::string> madeLines;

  bool hasByteOrderMark = false;
  // The first section holds the lines before the first section line: the section named "".
  std::vector<Section> sections;
  FirstPositionOf sectionIndex;  // name -> index in `sections`; repeats and "[name" lines absent

  explicit Content(std::string bytes);

  std::string_view Keep(std::string line) { return madeLines.emplace_back(std::move(line)); }
  Section* Find(std::string_view sectionName);
  // The first line of `key` in the first section named `section`; nothing when there is none.
  std::optional<std::string_view> FindKeyLine(std::string_view section, std::string_view key) const;
  void AddLine(std::string_view line);
  void AddSection(std::string_view name, std::string_view keyLine, std::string_view key);
  std::string Bytes() const;
};

ProfileText::Content::Content(std::string bytes) : fileBytes(std::move(bytes)) {
  sections.emplace_back();
  sectionIndex.emplace("", 0);
  std::string_view text = fileBytes;
  if (text.starts_with(kByteOrderMark)) {
    hasByteOrderMark = true;
    text.remove_prefix(kByteOrderMark.size());
  }
  // Lines end in CR LF, LF alone or CR alone.
  const auto isLineEnd = [](char c) { return c == '\r' || c == '\n'; };
  auto start = text.begin();
  while (start != text.end()) {
    const auto end = std::find_if(start, text.end(), isLineEnd);
    AddLine(std::string_view(start, end));
    start = end;
    if (start != text.end() && *start++ == '\r' && start != text.end() && *start == '\n') {
      ++start;
    }
  }
}

void ProfileText::Content::AddLine(std::string_view line) {
  using Kind = profile::LineMeaning::Kind;
  const profile::LineMeaning meaning = profile::Interpret(line);
  switch (meaning.kind) {
    case Kind::kBlank:
      sections.back().trailingBlankLines.push_back(line);
      return;
    case Kind::kSection:
      sectionIndex.try_emplace(meaning.name, sections.size());
      [[fallthrough]];
    case Kind::kUnnamedSection:
      sections.emplace_back().heading = line;
      return;
    case Kind::kKey:
    case Kind::kText: {
      Section& section = sections.back();
      // Blank lines followed by text are inside the section, not at its end.
      section.lines.insert(section.lines.end(), section.trailingBlankLines.begin(),
                           section.trailingBlankLines.end());
      section.trailingBlankLines.clear();
      if (meaning.kind == Kind::kKey) {
        section.keys.try_emplace(meaning.name, section.lines.size());
      }
      section.lines.push_back(line);
      return;
    }
  }
}

ProfileText::Content::Section* ProfileText::Content::Find(std::string_view sectionName) {
  const auto found = sectionIndex.find(sectionName);
  return found == sectionIndex.end() ? nullptr : &sections[found->second];
}

std::optional<std::string_view> ProfileText::Content::FindKeyLine(std::string_view section,
                                                                  std::string_view key) const {
  const auto found = sectionIndex.find(profile::Normalized(section));
  if (found == sectionIndex.end()) {
    return std::nullopt;
  }
  const Section& inSection = sections[found->second];
  const auto line = inSection.keys.find(profile::Normalized(key));
  if (line == inSection.keys.end()) {
    return std::nullopt;
  }
  return inSection.lines[line->second];
}

void ProfileText::Content::AddSection(std::string_view name, std::string_view keyLine,
                                      std::string_view key) {
  Section& last = sections.back();
  const bool fileIsEmpty =
      sections.size() == 1 && last.lines.empty() && last.trailingBlankLines.empty();
  // One blank line sets the new section apart, unless the file already ends in one.
  if (!fileIsEmpty && last.trailingBlankLines.empty()) {
    last.trailingBlankLines.emplace_back();
  }
  std::string headingLine = "[";
  headingLine.append(name).append("]");
  const std::string_view heading = Keep(std::move(headingLine));
  sectionIndex.emplace(heading.substr(1, name.size()), sections.size());
  Section& section = sections.emplace_back();
  section.heading = heading;
  section.keys.emplace(key, 0);
  section.lines.push_back(keyLine);
}

std::string ProfileText::Content::Bytes() const {
  std::string bytes(hasByteOrderMark ? kByteOrderMark : "");
  const auto appendLine = [&bytes](std::string_view line) { bytes.append(line).append(kLineEnd); };
  for (std::size_t i = 0; i < sections.size(); ++i) {
    if (i > 0) {
      appendLine(sections[i].heading);
    }
    for (const std::string_view line : sections[i].lines) {
      appendLine(line);
    }
    for (const std::string_view line : sections[i].trailingBlankLines) {
      appendLine(line);
    }
  }
  return bytes;
}

ProfileText::ProfileText(std::string bytes)
    : content_(std::make_unique<Content>(std::move(bytes))) {}

ProfileText::ProfileText(ProfileText&&) noexcept = default;
ProfileText& ProfileText::operator=(ProfileText&&) noexcept = default;
ProfileText::~ProfileText() = default;

std::string ProfileText::ReadString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue) const {
  const auto keyLine = content_->FindKeyLine(section, key);
  return std::string(keyLine ? profile::ValueOfKeyLine(*keyLine) : defaultValue);
}

int ProfileText::ReadInteger(std::string_view section, std::string_view key,
                             int defaultValue) const {
  const auto keyLine = content_->FindKeyLine(section, key);
  if (!keyLine) {
    return defaultValue;
  }
  return profile::ParseInteger(profile::ValueOfKeyLine(*keyLine)).value_or(defaultValue);
}

void ProfileText::WriteString(std::string_view section, std::string_view key,
                              std::string_view value) {
  const std::string_view sectionName = profile::Normalized(section);
  const std::string_view keyName = profile::Normalized(key);
  RequireStorableNames(sectionName, keyName);
  const std::string_view keyLine = content_->Keep(profile::MakeKeyLine(keyName, value));
  const std::string_view keptKey = keyLine.substr(0, keyName.size());
  Content::Section* found = content_->Find(sectionName);
  if (found == nullptr) {
    content_->AddSection(sectionName, keyLine, keptKey);
    return;
  }
  const auto [position, added] = found->keys.try_emplace(keptKey, found->lines.size());
  if (added) {
    found->lines.push_back(keyLine);
  } else {
    found->lines[position->second] = keyLine;
  }
}

void ProfileText::WriteInteger(std::string_view section, std::string_view key, int value) {
  WriteString(section, key, std::to_string(value));
}

std::string ProfileText::Bytes() const {
  return content_->Bytes();
}

const std::string& ProfileText::BytesAsRead() const {
  return content_->fileBytes;
}

}  // namespace lintavo
