#include "os/posix/RegistryHive.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "base/Text.h"

namespace lintavo::os::posix {

namespace {

constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";
constexpr std::string_view kRootName = "HKEY_CURRENT_USER";
constexpr std::string_view kRootAbbreviation = "HKCU";

// The components of a key path joined by single backslashes, empty ones dropped.
std::string CanonicalKeyPath(std::string_view path) {
  std::string canonical;
  while (!path.empty()) {
    if (const std::string_view component = base::TakeField(path, '\\'); !component.empty()) {
      if (!canonical.empty()) {
        canonical += '\\';
      }
      canonical += component;
    }
  }
  return canonical;
}

bool IsSectionHeader(std::string_view line) {
  line = base::TrimBlanks(line);
  return line.size() >= 2 && line.front() == '[' && line.back() == ']';
}

// The folded key path of a section header; nullopt for a section of another root, or one that
// deletes its key ("[-HKEY_...]"): those never match a key of ours.
std::optional<std::string> SectionKey(std::string_view header) {
  header = base::TrimBlanks(header);
  const std::string_view name = header.substr(1, header.size() - 2);
  const std::size_t backslash = name.find('\\');
  const std::string root = base::AsciiLowerCase(name.substr(0, backslash));
  if (root != base::AsciiLowerCase(kRootName) && root != base::AsciiLowerCase(kRootAbbreviation)) {
    return std::nullopt;
  }
  return backslash == std::string_view::npos ? std::string() : FoldKeyPath(name.substr(backslash));
}

// A quoted text starting at text[pos]; on success pos is just past the closing quote.
std::optional<std::string> ParseQuoted(std::string_view text, std::size_t& pos) {
  if (pos >= text.size() || text[pos] != '"') {
    return std::nullopt;
  }
  std::string unquoted;
  for (std::size_t i = pos + 1; i < text.size(); ++i) {
    if (text[i] == '"') {
      pos = i + 1;
      return unquoted;
    }
    if (text[i] != '\\') {
      unquoted += text[i];
      continue;
    }
    if (++i == text.size()) {
      break;
    }
    switch (text[i]) {
      case 'n':
        unquoted += '\n';
        break;
      case 'r':
        unquoted += '\r';
        break;
      case '\\':
      case '"':
        unquoted += text[i];
        break;
      default:
        // Not an escape: a hand-written single backslash stands for itself.
        unquoted += '\\';
        unquoted += text[i];
        break;
    }
  }
  return std::nullopt;
}

std::string Quote(std::string_view text) {
  std::string quoted = "\"";
  for (const char c : text) {
    switch (c) {
      case '\\':
        quoted += "\\\\";
        break;
      case '"':
        quoted += "\\\"";
        break;
      // A line break written raw would end the value line and could start a forged section.
      case '\n':
        quoted += "\\n";
        break;
      case '\r':
        quoted += "\\r";
        break;
      default:
        quoted += c;
        break;
    }
  }
  quoted += '"';
  return quoted;
}

struct ValueLine {
  std::string name;
  std::string_view data;
};

// `@=data` or `"name"=data`; nullopt for any other line.
std::optional<ValueLine> ParseValueLine(std::string_view line) {
  ValueLine value;
  std::size_t pos = line.find_first_not_of(" \t");
  if (pos == std::string_view::npos) {
    return std::nullopt;
  }
  if (line[pos] == '@') {
    ++pos;
  } else if (auto name = ParseQuoted(line, pos)) {
    value.name = std::move(*name);
  } else {
    return std::nullopt;
  }
  const std::string_view rest = base::TrimBlanks(line.substr(pos));
  if (rest.empty() || rest.front() != '=') {
    return std::nullopt;
  }
  value.data = base::TrimBlanks(rest.substr(1));
  return value;
}

bool IsHexDigit(char c) {
  return base::HexDigitValue(c).has_value();
}

RegistryValue DecodeData(std::string_view data) {
  RegistryValue value;
  value.type = RegistryValueType::Other;
  if (std::size_t pos = 0; !data.empty() && data.front() == '"') {
    if (auto text = ParseQuoted(data, pos); text && pos == data.size()) {
      value.type = RegistryValueType::String;
      value.text = std::move(*text);
    }
    return value;
  }
  constexpr std::string_view kDWordPrefix = "dword:";
  if (base::AsciiLowerCase(data.substr(0, kDWordPrefix.size())) == kDWordPrefix) {
    const std::string_view digits = data.substr(kDWordPrefix.size());
    if (!digits.empty() && digits.size() <= 8 &&
        std::all_of(digits.begin(), digits.end(), IsHexDigit)) {
      value.type = RegistryValueType::DWord;
      value.number = static_cast<std::uint32_t>(std::stoul(std::string(digits), nullptr, 16));
    }
  }
  return value;
}

// Long data of other types goes on over several lines, each but the last ending in a backslash.
bool ContinuesOnNextLine(std::string_view line, std::string_view data) {
  return !data.empty() && data.front() != '"' && base::TrimBlanks(line).ends_with('\\');
}

// A value whose data goes on after its last line: the file ended, or a section began, right after a
// continuation backslash. Such a value takes the next line that follows it as more of its data.
bool AwaitsContinuation(const std::vector<std::string>& lines) {
  const auto valueLine = ParseValueLine(lines.front());
  return valueLine && ContinuesOnNextLine(lines.front(), valueLine->data) &&
         base::TrimBlanks(lines.back()).ends_with('\\');
}

}  // namespace

RegistryHive RegistryHive::Parse(std::string_view text) {
  RegistryHive hive;
  // The first line break tells how the file breaks its lines. A file of one line that ends in CR
  // has its break cut short; taken as LF, its CR would stay in the line until a rewrite added the
  // LF and so changed what the line means.
  const std::size_t firstBreak = text.find('\n');
  const bool crLf = firstBreak == std::string_view::npos
                        ? text.ends_with('\r')
                        : firstBreak > 0 && text[firstBreak - 1] == '\r';
  if (crLf) {
    hive.lineBreak_ = "\r\n";
  }
  std::vector<std::string> lines;
  while (!text.empty()) {
    // A CR is part of the line unless the file ends its lines with CR LF, so it stays verbatim.
    std::string_view line = base::TakeField(text, '\n');
    if (hive.lineBreak_.size() == 2 && line.ends_with('\r')) {
      line.remove_suffix(1);
    }
    lines.emplace_back(line);
  }

  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (IsSectionHeader(lines[i])) {
      hive.sections_.push_back({lines[i], SectionKey(lines[i]), {}});
      continue;
    }
    if (hive.sections_.empty()) {
      hive.prologue_.push_back(lines[i]);
      continue;
    }
    Entry entry;
    entry.lines.push_back(lines[i]);
    if (const auto valueLine = ParseValueLine(lines[i])) {
      entry.foldedName = base::AsciiLowerCase(valueLine->name);
      entry.value = DecodeData(valueLine->data);
      if (ContinuesOnNextLine(lines[i], valueLine->data)) {
        while (i + 1 < lines.size() && base::TrimBlanks(entry.lines.back()).ends_with('\\') &&
               !IsSectionHeader(lines[i + 1])) {
          entry.lines.push_back(lines[++i]);
        }
      }
    }
    hive.sections_.back().entries.push_back(std::move(entry));
  }
  return hive;
}

std::string RegistryHive::Serialize() const {
  std::string text;
  const auto addLine = [&](const std::string& line) {
    text += line;
    text += lineBreak_;
  };
  std::for_each(prologue_.begin(), prologue_.end(), addLine);
  for (const Section& section : sections_) {
    addLine(section.header);
    for (const Entry& entry : section.entries) {
      std::for_each(entry.lines.begin(), entry.lines.end(), addLine);
    }
  }
  return text;
}

bool RegistryHive::HasKey(std::string_view path) const {
  const std::string folded = FoldKeyPath(path);
  if (folded.empty()) {
    return true;  // the root always exists
  }
  return std::any_of(sections_.begin(), sections_.end(), [&](const Section& section) {
    return section.foldedKey &&
           (*section.foldedKey == folded || (section.foldedKey->starts_with(folded) &&
                                             (*section.foldedKey)[folded.size()] == '\\'));
  });
}

std::optional<RegistryValue> RegistryHive::FindValue(std::string_view path,
                                                     std::string_view name) const {
  const std::string foldedKey = FoldKeyPath(path);
  const std::string foldedName = base::AsciiLowerCase(name);
  std::optional<RegistryValue> found;
  for (const Section& section : sections_) {
    if (section.foldedKey != foldedKey) {
      continue;
    }
    for (const Entry& entry : section.entries) {
      if (entry.foldedName == foldedName) {
        found = entry.value;
      }
    }
  }
  return found;
}

void RegistryHive::AddKey(std::string_view path) {
  if (!HasKey(path)) {
    AppendSection(path);
  }
}

void RegistryHive::SetValue(std::string_view path, std::string_view name, std::string_view data) {
  const std::string foldedKey = FoldKeyPath(path);
  const std::string foldedName = base::AsciiLowerCase(name);
  std::vector<std::pair<std::size_t, std::size_t>> matches;  // (section, entry), in file order
  Section* lastSection = nullptr;
  for (std::size_t s = 0; s < sections_.size(); ++s) {
    if (sections_[s].foldedKey != foldedKey) {
      continue;
    }
    lastSection = &sections_[s];
    for (std::size_t e = 0; e < sections_[s].entries.size(); ++e) {
      if (sections_[s].entries[e].foldedName == foldedName) {
        matches.emplace_back(s, e);
      }
    }
  }

  Entry entry = MakeValueEntry(name, data);
  if (!matches.empty()) {
    // The last setting is the one that counts; it is replaced and earlier ones go.
    const auto [section, index] = matches.back();
    sections_[section].entries[index] = std::move(entry);
    matches.pop_back();
    for (auto match = matches.rbegin(); match != matches.rend(); ++match) {
      auto& entries = sections_[match->first].entries;
      entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(match->second));
    }
    return;
  }
  if (lastSection == nullptr) {
    AppendSection(path);
    lastSection = &sections_.back();
  }
  auto& entries = lastSection->entries;
  auto lastValue = std::find_if(entries.rbegin(), entries.rend(),
                                [](const Entry& e) { return e.foldedName.has_value(); });
  if (lastValue != entries.rend() && AwaitsContinuation(lastValue->lines)) {
    // A blank line ends that value's data, so the new value keeps a line of its own.
    lastValue->lines.emplace_back();
  }
  entries.insert(lastValue.base(), std::move(entry));
}

RegistryHive::Entry RegistryHive::MakeValueEntry(std::string_view name, std::string_view data) {
  Entry entry;
  entry.lines.push_back((name.empty() ? std::string("@") : Quote(name)) + "=" + std::string(data));
  entry.foldedName = base::AsciiLowerCase(name);
  entry.value = DecodeData(data);
  return entry;
}

void RegistryHive::AppendSection(std::string_view path) {
  if (prologue_.empty() && sections_.empty()) {
    prologue_ = {std::string(kHeader), std::string()};
  } else {
    // Sections are set apart by a blank line.
    const std::string* lastLine = prologue_.empty() ? nullptr : &prologue_.back();
    if (!sections_.empty()) {
      const Section& last = sections_.back();
      lastLine = last.entries.empty() ? &last.header : &last.entries.back().lines.back();
    }
    if (lastLine && !base::TrimBlanks(*lastLine).empty()) {
      if (sections_.empty()) {
        prologue_.emplace_back();
      } else {
        sections_.back().entries.push_back({{std::string()}, std::nullopt, {}});
      }
    }
  }
  const std::string canonical = CanonicalKeyPath(path);
  std::string header = "[" + std::string(kRootName);
  if (!canonical.empty()) {
    header += "\\" + canonical;
  }
  header += "]";
  sections_.push_back({header, base::AsciiLowerCase(canonical), {}});
}

std::string FoldKeyPath(std::string_view path) {
  return base::AsciiLowerCase(CanonicalKeyPath(path));
}

std::string FormatStringData(std::string_view text) {
  return Quote(text);
}

std::string FormatDWordData(std::uint32_t number) {
  char digits[9];
  std::snprintf(digits, sizeof digits, "%08x", static_cast<unsigned>(number));
  return "dword:" + std::string(digits);
}

}  // namespace lintavo::os::posix
