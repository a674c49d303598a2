#include "browsers/firefox/FirefoxPrefs.h"

#include <algorithm>
#include <cstdio>
#include <limits>

#include "base/Text.h"

namespace lintavo::browsers {

namespace {

constexpr std::uint32_t kMaxInt = std::numeric_limits<std::int32_t>::max();

bool IsKeywordChar(char c) {
  return base::IsAsciiLetter(c) || c == '_';
}

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\n' || c == '\r';
}

struct Token {
  enum class Kind {
    kEnd,
    kPunctuation,
    kPref,
    kUserPref,
    kStickyPref,
    kTrue,
    kFalse,
    kString,
    kInt
  };
  Kind kind = Kind::kEnd;
  char punctuation = 0;
  std::string text;  // a string's value
  std::uint32_t number = 0;
  std::size_t begin = 0;
  std::size_t end = 0;
};

// The tokens of a preference file, one at a time; nothing at the first thing Firefox's lexer
// calls an error. Keywords Firefox knows but a user file cannot use ("sticky", "locked") are
// errors here too: they can only stand where a user file has none.
class Lexer {
 public:
  explicit Lexer(std::string_view text) : text_(text) {}

  // The offset just past the last token read.
  std::size_t Position() const { return pos_; }

  std::optional<Token> Next() {
    for (;;) {
      if (pos_ == text_.size()) {
        Token end;
        end.begin = end.end = pos_;
        return end;
      }
      const char c = text_[pos_];
      if (IsSpace(c)) {
        ++pos_;
      } else if (c == '#') {
        SkipLine();
      } else if (c == '/') {
        if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '/') {
          SkipLine();
        } else if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '*') {
          const std::size_t close = text_.find("*/", pos_ + 2);
          if (close == std::string_view::npos) {
            return std::nullopt;  // an open comment
          }
          pos_ = close + 2;
        } else {
          return std::nullopt;
        }
      } else {
        return Read(c);
      }
    }
  }

 private:
  // Ends at a line break; the break itself is a blank.
  void SkipLine() {
    const std::size_t lineEnd = text_.find_first_of("\r\n", pos_);
    pos_ = lineEnd == std::string_view::npos ? text_.size() : lineEnd;
  }

  std::optional<Token> Read(char c) {
    Token token;
    token.begin = pos_;
    if (c == '(' || c == ')' || c == ',' || c == ';' || c == '+' || c == '-') {
      token.kind = Token::Kind::kPunctuation;
      token.punctuation = c;
      ++pos_;
    } else if (IsKeywordChar(c)) {
      std::size_t stop = pos_;
      while (stop < text_.size() && IsKeywordChar(text_[stop])) {
        ++stop;
      }
      const std::string_view word = text_.substr(pos_, stop - pos_);
      pos_ = stop;
      if (word == "user_pref") {
        token.kind = Token::Kind::kUserPref;
      } else if (word == "pref") {
        token.kind = Token::Kind::kPref;
      } else if (word == "sticky_pref") {
        token.kind = Token::Kind::kStickyPref;
      } else if (word == "true") {
        token.kind = Token::Kind::kTrue;
      } else if (word == "false") {
        token.kind = Token::Kind::kFalse;
      } else {
        return std::nullopt;
      }
    } else if (base::IsAsciiDigit(c)) {
      std::uint64_t value = 0;
      while (pos_ < text_.size() && base::IsAsciiDigit(text_[pos_])) {
        value = value * 10 + static_cast<std::uint64_t>(text_[pos_++] - '0');
        if (value > std::numeric_limits<std::uint32_t>::max()) {
          return std::nullopt;
        }
      }
      if (pos_ < text_.size() && IsKeywordChar(text_[pos_])) {
        return std::nullopt;  // "123abc"
      }
      token.kind = Token::Kind::kInt;
      token.number = static_cast<std::uint32_t>(value);
    } else if (c == '"' || c == '\'') {
      if (!ReadString(c, token.text)) {
        return std::nullopt;
      }
      token.kind = Token::Kind::kString;
    } else {
      return std::nullopt;  // a NUL byte (the end, for Firefox) or any other character
    }
    token.end = pos_;
    return token;
  }

  std::optional<std::uint32_t> Hex(int digits) {
    std::uint32_t value = 0;
    for (int i = 0; i < digits; ++i) {
      const auto digit = pos_ < text_.size() ? base::HexDigitValue(text_[pos_]) : std::nullopt;
      if (!digit) {
        return std::nullopt;
      }
      value = value << 4 | static_cast<std::uint32_t>(*digit);
      ++pos_;
    }
    return value;
  }

  // A string from its opening quote; raw line breaks belong to it.
  bool ReadString(char quote, std::string& value) {
    ++pos_;
    for (;;) {
      if (pos_ == text_.size() || text_[pos_] == '\0') {
        return false;
      }
      const char c = text_[pos_++];
      if (c == quote) {
        return true;
      }
      if (c != '\\') {
        value += c;
        continue;
      }
      if (pos_ == text_.size()) {
        return false;
      }
      const char escaped = text_[pos_++];
      switch (escaped) {
        case '"':
        case '\'':
        case '\\':
          value += escaped;
          break;
        case 'n':
          value += '\n';
          break;
        case 'r':
          value += '\r';
          break;
        case 'x': {
          const auto byte = Hex(2);
          if (!byte || *byte == 0) {
            return false;
          }
          value += static_cast<char>(*byte);
          break;
        }
        case 'u': {
          auto unit = Hex(4);
          if (!unit || *unit == 0 || (*unit & 0xFC00) == 0xDC00) {
            return false;
          }
          std::uint32_t code = *unit;
          if ((*unit & 0xFC00) == 0xD800) {
            if (text_.substr(pos_, 2) != "\\u") {
              return false;
            }
            pos_ += 2;
            const auto low = Hex(4);
            if (!low || (*low & 0xFC00) != 0xDC00) {
              return false;
            }
            code = 0x10000 + ((*unit - 0xD800) << 10) + (*low - 0xDC00);
          }
          base::AppendUtf8(value, code);
          break;
        }
        default:
          return false;
      }
    }
  }

  std::string_view text_;
  std::size_t pos_ = 0;
};

bool IsPunctuation(const Token& token, char c) {
  return token.kind == Token::Kind::kPunctuation && token.punctuation == c;
}

// The value after the name's ",": a string, true, false or a signed 32-bit integer.
std::optional<PrefValue> ReadValue(Lexer& lexer) {
  auto token = lexer.Next();
  if (!token) {
    return std::nullopt;
  }
  switch (token->kind) {
    case Token::Kind::kString:
      return std::move(token->text);
    case Token::Kind::kTrue:
      return true;
    case Token::Kind::kFalse:
      return false;
    case Token::Kind::kInt:
      if (token->number > kMaxInt) {
        return std::nullopt;
      }
      return static_cast<std::int32_t>(token->number);
    case Token::Kind::kPunctuation: {
      if (token->punctuation != '-' && token->punctuation != '+') {
        return std::nullopt;
      }
      const bool negative = token->punctuation == '-';
      const auto digits = lexer.Next();
      if (!digits || digits->kind != Token::Kind::kInt ||
          digits->number > kMaxInt + (negative ? 1u : 0u)) {
        return std::nullopt;
      }
      const std::int64_t magnitude = digits->number;
      return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
    }
    default:
      return std::nullopt;
  }
}

}  // namespace

std::optional<std::vector<PrefStatement>> ParsePrefStatements(std::string_view text) {
  // Firefox stops at a NUL byte, even in a comment: what follows it is not read.
  if (text.find('\0') != std::string_view::npos) {
    return std::nullopt;
  }
  std::vector<PrefStatement> statements;
  Lexer lexer(text);
  for (;;) {
    auto first = lexer.Next();
    if (!first) {
      return std::nullopt;
    }
    if (first->kind == Token::Kind::kEnd) {
      return statements;
    }
    PrefStatement statement;
    statement.begin = first->begin;
    if (first->kind == Token::Kind::kUserPref) {
      statement.user = true;
    } else if (first->kind != Token::Kind::kPref && first->kind != Token::Kind::kStickyPref) {
      return std::nullopt;
    }
    const auto open = lexer.Next();
    if (!open || !IsPunctuation(*open, '(')) {
      return std::nullopt;
    }
    auto name = lexer.Next();
    if (!name || name->kind != Token::Kind::kString) {
      return std::nullopt;
    }
    statement.name = std::move(name->text);
    const auto comma = lexer.Next();
    if (!comma || !IsPunctuation(*comma, ',')) {
      return std::nullopt;
    }
    auto value = ReadValue(lexer);
    if (!value) {
      return std::nullopt;
    }
    statement.value = std::move(*value);
    const auto close = lexer.Next();
    const auto semicolon = close && IsPunctuation(*close, ')') ? lexer.Next() : std::nullopt;
    if (!semicolon || !IsPunctuation(*semicolon, ';')) {
      return std::nullopt;
    }
    statement.end = semicolon->end;
    statements.push_back(std::move(statement));
  }
}

std::optional<PrefValue> LastUserValue(const std::vector<PrefStatement>& statements,
                                       std::string_view name) {
  const auto last = std::find_if(statements.rbegin(), statements.rend(),
                                 [&](const auto& s) { return s.user && s.name == name; });
  if (last == statements.rend()) {
    return std::nullopt;
  }
  return last->value;
}

std::optional<std::string> LastUserString(const std::vector<PrefStatement>& statements,
                                          std::string_view name) {
  auto value = LastUserValue(statements, name);
  if (!value || !std::holds_alternative<std::string>(*value)) {
    return std::nullopt;
  }
  return std::get<std::string>(std::move(*value));
}

std::string PrefStringLiteral(std::string_view text) {
  std::string literal = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      literal += '\\';
      literal += c;
    } else if (c == '\n') {
      literal += "\\n";
    } else if (c == '\r') {
      literal += "\\r";
    } else if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
      char escaped[5];
      std::snprintf(escaped, sizeof escaped, "\\x%02x", static_cast<unsigned char>(c));
      literal += escaped;
    } else {
      literal += c;
    }
  }
  literal += '"';
  return literal;
}

std::string PrefLiteral(const PrefValue& value) {
  if (const auto* text = std::get_if<std::string>(&value)) {
    return PrefStringLiteral(*text);
  }
  if (const auto* number = std::get_if<std::int32_t>(&value)) {
    return std::to_string(*number);
  }
  return std::get<bool>(value) ? "true" : "false";
}

std::optional<PrefValue> ParsePrefLiteral(std::string_view literal) {
  // Blanks and comments would be skipped by the lexer; a literal has none around it.
  if (literal.empty() || IsSpace(literal.front()) || literal.front() == '/' ||
      literal.front() == '#') {
    return std::nullopt;
  }
  Lexer lexer(literal);
  auto value = ReadValue(lexer);
  if (!value || lexer.Position() != literal.size()) {
    return std::nullopt;
  }
  return value;
}

std::string_view LineBreakOf(std::string_view text) {
  const std::size_t at = text.find_first_of("\r\n");
  if (at == std::string_view::npos || text[at] == '\n') {
    return "\n";
  }
  return at + 1 < text.size() && text[at + 1] == '\n' ? "\r\n" : "\r";
}

std::optional<std::string> WithUserPrefs(std::string_view text,
                                         const std::vector<UserPref>& prefs) {
  const auto statements = ParsePrefStatements(text);
  if (!statements) {
    return std::nullopt;
  }
  const auto statementOf = [](const UserPref& pref) {
    return "user_pref(" + PrefStringLiteral(pref.name) + ", " + pref.literal + ");";
  };
  std::string result;
  result.reserve(text.size() + 256);
  std::vector<bool> replaced(prefs.size(), false);
  std::size_t copied = 0;
  for (const PrefStatement& statement : *statements) {
    if (!statement.user) {
      continue;
    }
    const auto pref = std::find_if(prefs.begin(), prefs.end(),
                                   [&](const UserPref& p) { return p.name == statement.name; });
    if (pref == prefs.end()) {
      continue;
    }
    result.append(text.substr(copied, statement.begin - copied));
    result += statementOf(*pref);
    copied = statement.end;
    replaced[static_cast<std::size_t>(pref - prefs.begin())] = true;
  }
  result.append(text.substr(copied));

  const std::string_view lineBreak = LineBreakOf(text);
  for (std::size_t i = 0; i < prefs.size(); ++i) {
    if (replaced[i]) {
      continue;
    }
    // A line of its own: a comment on the last line would otherwise take it in.
    if (!result.empty() && result.back() != '\n' && result.back() != '\r') {
      result += lineBreak;
    }
    result += statementOf(prefs[i]);
    result += lineBreak;
  }
  return result;
}

}  // namespace lintavo::browsers
