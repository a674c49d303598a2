#include "browsers/JsonMembers.h"

#include <algorithm>
#include <nlohmann/json.hpp>
#include <vector>

namespace lintavo::browsers {

namespace {

using Json = nlohmann::json;

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Where one member of an object lies in the text.
struct MemberSpan {
  std::string name;
  std::size_t nameBegin = 0;  // its opening quote
  std::size_t valueBegin = 0;
  std::size_t valueEnd = 0;
};

struct ObjectSpan {
  std::size_t open = 0;  // its "{"
  std::vector<MemberSpan> members;
};

bool IsJsonBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

std::size_t SkipBlanks(std::string_view text, std::size_t pos) {
  while (pos < text.size() && IsJsonBlank(text[pos])) {
    ++pos;
  }
  return pos;
}

// Just past the string whose opening quote is at `pos`.
std::optional<std::size_t> StringEnd(std::string_view text, std::size_t pos) {
  for (++pos; pos < text.size(); ++pos) {
    if (text[pos] == '\\') {
      ++pos;
    } else if (text[pos] == '"') {
      return pos + 1;
    }
  }
  return std::nullopt;
}

// Just past the value that begins at `pos`. Objects and arrays are passed over by counting their
// brackets outside strings, without recursion, so no nesting can exhaust the stack.
std::optional<std::size_t> ValueEnd(std::string_view text, std::size_t pos) {
  if (pos >= text.size()) {
    return std::nullopt;
  }
  if (text[pos] == '"') {
    return StringEnd(text, pos);
  }
  if (text[pos] != '{' && text[pos] != '[') {
    const std::size_t begin = pos;
    while (pos < text.size() && !IsJsonBlank(text[pos]) && text[pos] != ',' && text[pos] != '}' &&
           text[pos] != ']') {
      ++pos;
    }
    return pos == begin ? std::nullopt : std::optional(pos);
  }
  std::size_t depth = 0;
  while (pos < text.size()) {
    const char c = text[pos];
    if (c == '"') {
      const auto end = StringEnd(text, pos);
      if (!end) {
        return std::nullopt;
      }
      pos = *end;
      continue;
    }
    if (c == '{' || c == '[') {
      ++depth;
    } else if ((c == '}' || c == ']') && --depth == 0) {
      return pos + 1;
    }
    ++pos;
  }
  return std::nullopt;
}

// A member's name as JSON reads it, escapes and all.
std::optional<std::string> MemberName(std::string_view quoted) {
  const Json name = Json::parse(quoted.begin(), quoted.end(), nullptr, false);
  if (!name.is_string()) {
    return std::nullopt;
  }
  return name.get<std::string>();
}

// The members of the object whose "{" is at `open`.
std::optional<ObjectSpan> ScanObject(std::string_view text, std::size_t open) {
  if (open >= text.size() || text[open] != '{') {
    return std::nullopt;
  }
  ObjectSpan object;
  object.open = open;
  std::size_t pos = SkipBlanks(text, open + 1);
  if (pos < text.size() && text[pos] == '}') {
    return object;
  }
  for (;;) {
    if (pos >= text.size() || text[pos] != '"') {
      return std::nullopt;
    }
    MemberSpan member;
    member.nameBegin = pos;
    const auto nameEnd = StringEnd(text, pos);
    if (!nameEnd) {
      return std::nullopt;
    }
    auto name = MemberName(text.substr(pos, *nameEnd - pos));
    pos = SkipBlanks(text, *nameEnd);
    if (!name || pos >= text.size() || text[pos] != ':') {
      return std::nullopt;
    }
    member.name = std::move(*name);
    member.valueBegin = SkipBlanks(text, pos + 1);
    const auto valueEnd = ValueEnd(text, member.valueBegin);
    if (!valueEnd) {
      return std::nullopt;
    }
    member.valueEnd = *valueEnd;
    object.members.push_back(std::move(member));
    pos = SkipBlanks(text, *valueEnd);
    if (pos < text.size() && text[pos] == ',') {
      pos = SkipBlanks(text, pos + 1);
    } else if (pos < text.size() && text[pos] == '}') {
      return object;
    } else {
      return std::nullopt;
    }
  }
}

std::vector<std::string_view> SplitPath(std::string_view path) {
  std::vector<std::string_view> names;
  for (std::size_t dot = path.find('.'); dot != std::string_view::npos; dot = path.find('.')) {
    names.push_back(path.substr(0, dot));
    path.remove_prefix(dot + 1);
  }
  names.push_back(path);
  return names;
}

// How far a path leads: the object in which names[level] was looked up, and the member of that
// name there, if any. The walk stops at the last name or at the first one missing.
struct PathEnd {
  ObjectSpan object;
  std::size_t level = 0;
  std::optional<std::size_t> member;  // its index in object.members
};

std::optional<PathEnd> Walk(std::string_view text, const std::vector<std::string_view>& names) {
  const std::size_t root = text.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0;
  auto object = ScanObject(text, SkipBlanks(text, root));
  for (std::size_t level = 0; object; ++level) {
    std::optional<std::size_t> member;
    for (std::size_t i = 0; i < object->members.size(); ++i) {
      if (object->members[i].name == names[level]) {
        if (member) {
          return std::nullopt;  // named twice
        }
        member = i;
      }
    }
    if (!member || level + 1 == names.size()) {
      return PathEnd{std::move(*object), level, member};
    }
    object = ScanObject(text, object->members[*member].valueBegin);
  }
  return std::nullopt;  // no object, or not one that reads as such
}

std::string Quoted(std::string_view name) {
  return Json(std::string(name)).dump();
}

}  // namespace

JsonMember FindJsonMember(std::string_view json, std::string_view path) {
  const std::vector<std::string_view> names = SplitPath(path);
  const auto end = Walk(json, names);
  if (!end) {
    return {JsonMember::State::kUnclear, {}};
  }
  if (!end->member) {
    return {JsonMember::State::kAbsent, {}};
  }
  const MemberSpan& member = end->object.members[*end->member];
  return {JsonMember::State::kFound,
          json.substr(member.valueBegin, member.valueEnd - member.valueBegin)};
}

std::optional<std::string> WithJsonMember(std::string_view json, std::string_view path,
                                          std::string_view value) {
  const std::vector<std::string_view> names = SplitPath(path);
  const auto end = Walk(json, names);
  if (!end) {
    return std::nullopt;
  }
  std::string result;
  result.reserve(json.size() + value.size() + 64);
  if (end->member) {
    const MemberSpan& found = end->object.members[*end->member];
    result.append(json.substr(0, found.valueBegin));
    result.append(value);
    result.append(json.substr(found.valueEnd));
    return result;
  }
  // The missing member, with the objects on its way that are missing too.
  std::string member = Quoted(names[end->level]) + ":";
  for (std::size_t level = end->level + 1; level < names.size(); ++level) {
    member += "{" + Quoted(names[level]) + ":";
  }
  member += value;
  member.append(names.size() - end->level - 1, '}');

  const std::vector<MemberSpan>& members = end->object.members;
  const std::string_view name = names[end->level];
  const auto greater = std::find_if(members.begin(), members.end(),
                                    [&](const MemberSpan& m) { return m.name > name; });
  std::size_t at = 0;
  if (greater != members.end()) {
    at = greater->nameBegin;
    member += ",";
  } else if (!members.empty()) {
    at = members.back().valueEnd;
    member.insert(0, ",");
  } else {
    at = end->object.open + 1;
  }
  result.append(json.substr(0, at));
  result.append(member);
  result.append(json.substr(at));
  return result;
}

}  // namespace lintavo::browsers
