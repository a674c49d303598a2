#include "os/posix/DesktopEntry.h"

#include "base/Text.h"

namespace lintavo::os::posix {

namespace {

std::string UnescapeKeyFileValue(std::string_view value) {
  std::string text;
  text.reserve(value.size());
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] != '\\' || i + 1 == value.size()) {
      text += value[i];
      continue;
    }
    switch (value[++i]) {
      case 's':
        text += ' ';
        break;
      case 'n':
        text += '\n';
        break;
      case 't':
        text += '\t';
        break;
      case 'r':
        text += '\r';
        break;
      case '\\':
        text += '\\';
        break;
      default:
        // Not an escape: the backslash stands for itself.
        text += '\\';
        text += value[i];
        break;
    }
  }
  return text;
}

// An Exec argument writes a literal "%" as "%%".
std::string WithPercentsDecoded(std::string_view argument) {
  std::string decoded;
  decoded.reserve(argument.size());
  for (std::size_t i = 0; i < argument.size(); ++i) {
    decoded += argument[i];
    if (argument[i] == '%' && i + 1 < argument.size() && argument[i + 1] == '%') {
      ++i;
    }
  }
  return decoded;
}

}  // namespace

std::optional<std::string> FindKeyFileValue(std::string_view content, std::string_view group,
                                            std::string_view key) {
  bool inGroup = false;
  while (!content.empty()) {
    const std::string_view line = base::TakeLine(content);
    const std::string_view trimmed = base::TrimBlanks(line);
    if (trimmed.empty() || trimmed.front() == '#') {
      continue;
    }
    if (trimmed.front() == '[') {
      inGroup = trimmed.back() == ']' && trimmed.substr(1, trimmed.size() - 2) == group;
      continue;
    }
    const std::size_t equals = trimmed.find('=');
    if (inGroup && equals != std::string_view::npos &&
        base::TrimBlanks(trimmed.substr(0, equals)) == key) {
      // Blanks after "=" are not part of the value; a leading blank is written as "\s".
      return UnescapeKeyFileValue(base::TrimLeadingBlanks(line.substr(line.find('=') + 1)));
    }
  }
  return std::nullopt;
}

std::string EscapeKeyFileValue(std::string_view value) {
  std::string text;
  text.reserve(value.size());
  for (std::size_t i = 0; i < value.size(); ++i) {
    switch (value[i]) {
      case '\\':
        text += "\\\\";
        break;
      case '\n':
        text += "\\n";
        break;
      case '\t':
        text += "\\t";
        break;
      case '\r':
        text += "\\r";
        break;
      case ' ':
        text += i == 0 ? "\\s" : " ";
        break;
      default:
        text += value[i];
        break;
    }
  }
  return text;
}

std::string QuoteExecArgument(std::string_view argument) {
  std::string quoted = "\"";
  for (const char c : argument) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') {
      quoted += '\\';
    } else if (c == '%') {
      quoted += '%';
    }
    quoted += c;
  }
  quoted += '"';
  return quoted;
}

std::optional<std::string> FirstExecArgument(std::string_view exec) {
  exec = base::TrimBlanks(exec);
  if (exec.empty()) {
    return std::nullopt;
  }
  if (exec.front() != '"') {
    return WithPercentsDecoded(exec.substr(0, exec.find_first_of(" \t")));
  }
  std::string argument;
  for (std::size_t i = 1; i < exec.size(); ++i) {
    const char c = exec[i];
    if (c == '"') {
      return argument.empty() ? std::nullopt : std::optional(WithPercentsDecoded(argument));
    }
    // Inside quotes a backslash escapes only the characters that would otherwise be special.
    if (c == '\\' && i + 1 < exec.size() &&
        std::string_view("\"`$\\").find(exec[i + 1]) != std::string_view::npos) {
      ++i;
    }
    argument += exec[i];
  }
  return std::nullopt;
}

}  // namespace lintavo::os::posix
