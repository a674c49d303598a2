#include "help/engine/SiteMap.h"

#include <cstdint>
#include <optional>
#include <utility>

#include "base/Text.h"

namespace lintavo::help {

namespace {

struct Tag {
  std::string name;  // lower case, "/" first for an end tag
  std::vector<std::pair<std::string, std::string>> attributes;  // names in lower case

  std::string Attribute(std::string_view attributeName) const {
    for (const auto& [key, value] : attributes) {
      if (key == attributeName) {
        return value;
      }
    }
    return std::string();
  }
};

bool IsNameChar(char c) {
  return c != '>' && c != '/' && c != '=' && !base::IsBlank(c) && c != '\r' && c != '\n';
}

bool IsSpace(char c) {
  return base::IsBlank(c) || c == '\r' || c == '\n' || c == '\f';
}

// The character a reference names ("amp", "#233", "#x2014"); nullopt for one we do not know,
// which then stays as written.
std::optional<std::uint32_t> ReferencedCharacter(std::string_view name) {
  static constexpr std::pair<std::string_view, std::uint32_t> kNamed[] = {
      {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}, {"nbsp", 0xA0}};
  if (name.size() > 1 && name.front() == '#') {
    const bool hex = name[1] == 'x' || name[1] == 'X';
    const std::string_view digits = name.substr(hex ? 2 : 1);
    if (digits.empty() || digits.size() > 6) {
      return std::nullopt;
    }
    std::uint32_t code = 0;
    for (const char c : digits) {
      const std::optional<int> digit = hex                     ? base::HexDigitValue(c)
                                       : base::IsAsciiDigit(c) ? std::optional(c - '0')
                                                               : std::nullopt;
      if (!digit) {
        return std::nullopt;
      }
      code = code * (hex ? 16 : 10) + static_cast<std::uint32_t>(*digit);
    }
    return code > 0 && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF) ? std::optional(code)
                                                                            : std::nullopt;
  }
  for (const auto& [known, code] : kNamed) {
    if (base::EqualIgnoringAsciiCase(name, known)) {
      return code;
    }
  }
  return std::nullopt;
}

std::string DecodeReferences(std::string_view text) {
  std::string decoded;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t semicolon = text[at] == '&' ? text.find(';', at) : std::string_view::npos;
    const auto code = semicolon == std::string_view::npos
                          ? std::nullopt
                          : ReferencedCharacter(text.substr(at + 1, semicolon - at - 1));
    if (code) {
      base::AppendUtf8(decoded, *code);
      at = semicolon + 1;
    } else {
      decoded += text[at++];
    }
  }
  return decoded;
}

// Reads the tag that starts at html[at] == '<'; leaves `at` after it. nullopt for a comment or
// another markup declaration, which is passed over the same way.
std::optional<Tag> ReadTag(std::string_view html, std::size_t& at) {
  if (html.substr(at, 4) == "<!--") {
    const std::size_t end = html.find("-->", at + 4);
    at = end == std::string_view::npos ? html.size() : end + 3;
    return std::nullopt;
  }
  ++at;
  Tag tag;
  if (at < html.size() && html[at] == '/') {
    tag.name = "/";
    ++at;
  }
  while (at < html.size() && IsNameChar(html[at])) {
    tag.name += base::AsciiLower(html[at++]);
  }
  while (at < html.size() && html[at] != '>') {
    if (!IsNameChar(html[at])) {
      ++at;
      continue;
    }
    std::string name;
    while (at < html.size() && IsNameChar(html[at])) {
      name += base::AsciiLower(html[at++]);
    }
    while (at < html.size() && IsSpace(html[at])) {
      ++at;
    }
    std::string value;
    if (at < html.size() && html[at] == '=') {
      ++at;
      while (at < html.size() && IsSpace(html[at])) {
        ++at;
      }
      if (at < html.size() && (html[at] == '"' || html[at] == '\'')) {
        const char quote = html[at++];
        const std::size_t end = html.find(quote, at);
        const std::size_t stop = end == std::string_view::npos ? html.size() : end;
        value = DecodeReferences(html.substr(at, stop - at));
        at = end == std::string_view::npos ? html.size() : end + 1;
      } else {
        const std::size_t start = at;
        while (at < html.size() && !IsSpace(html[at]) && html[at] != '>') {
          ++at;
        }
        value = DecodeReferences(html.substr(start, at - start));
      }
    }
    tag.attributes.emplace_back(std::move(name), std::move(value));
  }
  if (at < html.size()) {
    ++at;  // the '>'
  }
  if (!tag.name.empty() && tag.name.front() == '!') {
    return std::nullopt;
  }
  return tag;
}

}  // namespace

std::vector<SiteMapEntry> ParseSiteMap(std::string_view html) {
  std::vector<SiteMapEntry> entries;
  int depth = 0;  // lists open around the current place
  std::optional<SiteMapEntry> entry;
  std::size_t at = html.find('<');
  while (at != std::string_view::npos && at < html.size()) {
    const auto tag = ReadTag(html, at);
    if (tag) {
      if (tag->name == "ul") {
        ++depth;
      } else if (tag->name == "/ul") {
        depth = depth > 0 ? depth - 1 : 0;
      } else if (tag->name == "object" &&
                 base::EqualIgnoringAsciiCase(tag->Attribute("type"), "text/sitemap")) {
        entry = SiteMapEntry{depth > 0 ? depth - 1 : 0, {}, {}};
      } else if (tag->name == "param" && entry) {
        const std::string name = tag->Attribute("name");
        // An index entry may name several pages; the first is the one it opens.
        if (base::EqualIgnoringAsciiCase(name, "Name") && entry->name.empty()) {
          entry->name = tag->Attribute("value");
        } else if (base::EqualIgnoringAsciiCase(name, "Local") && entry->local.empty()) {
          entry->local = tag->Attribute("value");
        }
      } else if (tag->name == "/object" && entry) {
        if (!entry->name.empty()) {
          entries.push_back(std::move(*entry));
        }
        entry.reset();
      }
    }
    at = html.find('<', at);
  }
  return entries;
}

}  // namespace lintavo::help
