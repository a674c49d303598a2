#include "base/ProfileSyntax.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <system_error>

#include "base/Text.h"

namespace lintavo::profile {

namespace {

bool IsQuote(char c) {
  return c == '"' || c == '\'';
}

// A read drops the first and last character of a value when they are the same quote.
bool HasQuotePair(std::string_view text) {
  return text.size() >= 2 && IsQuote(text.front()) && text.front() == text.back();
}

// The digits alone, all of them, within 32 bits.
std::optional<std::uint32_t> ParseDigits(std::string_view digits, int base) {
  std::uint32_t value = 0;
  const char* end = digits.data() + digits.size();
  const auto [stop, error] = std::from_chars(digits.data(), end, value, base);
  if (error != std::errc() || stop != end) {
    return std::nullopt;
  }
  return value;
}

}  // namespace

std::string_view Normalized(std::string_view text) {
  return base::TrimBlanks(base::UpToNul(text));
}

LineMeaning Interpret(std::string_view line) {
  const std::string_view text = Normalized(line);
  if (text.empty()) {
    return {LineMeaning::Kind::kBlank, {}};
  }
  if (text.front() == '[') {
    const auto close = text.find(']');
    if (close == std::string_view::npos) {
      return {LineMeaning::Kind::kUnnamedSection, {}};
    }
    return {LineMeaning::Kind::kSection, base::TrimBlanks(text.substr(1, close - 1))};
  }
  const auto equals = text.find('=');
  if (equals == std::string_view::npos) {
    return {LineMeaning::Kind::kText, {}};
  }
  return {LineMeaning::Kind::kKey, base::TrimBlanks(text.substr(0, equals))};
}

std::string_view ValueOfKeyLine(std::string_view keyLine) {
  const std::string_view text = base::UpToNul(keyLine);
  std::string_view value = base::TrimBlanks(text.substr(text.find('=') + 1));
  if (HasQuotePair(value)) {
    value = value.substr(1, value.size() - 2);
  }
  return value.substr(0, kMaxValueLength);
}

std::string MakeKeyLine(std::string_view key, std::string_view value) {
  std::string text(base::UpToNul(value));
  std::replace_if(
      text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  // A read trims blanks and drops a quote pair; quoting such a value keeps it whole.
  const bool needsQuotes = !text.empty() && (base::IsBlank(text.front()) ||
                                             base::IsBlank(text.back()) || HasQuotePair(text));
  std::string line;
  line.reserve(key.size() + text.size() + 3);
  line.append(key).append(1, '=');
  if (needsQuotes) {
    line.append(1, '"').append(text).append(1, '"');
  } else {
    line.append(text);
  }
  return line;
}

std::optional<int> ParseInteger(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  const bool hexadecimal = text.starts_with('$');
  if (hexadecimal || text.starts_with("0x") || text.starts_with("0X")) {
    const auto bits = ParseDigits(text.substr(hexadecimal ? 1 : 2), 16);
    if (!bits) {
      return std::nullopt;
    }
    // The 32 bits are the value; a sign negates it modulo 2^32.
    return static_cast<std::int32_t>(negative ? 0u - *bits : *bits);
  }
  const auto magnitude = ParseDigits(text, 10);
  if (!magnitude) {
    return std::nullopt;
  }
  const std::int64_t value = negative ? -std::int64_t{*magnitude} : std::int64_t{*magnitude};
  if (value < INT32_MIN || value > INT32_MAX) {
    return std::nullopt;
  }
  return static_cast<int>(value);
}

}  // namespace lintavo::profile
