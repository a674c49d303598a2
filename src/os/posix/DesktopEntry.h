#pragma once

#include <optional>
#include <string>
#include <string_view>

// The freedesktop key-file text of desktop entries and mimeapps.list: "[Group]" lines and
// "Key=Value" lines whose values escape backslash, line breaks, tabs and a leading space.
namespace lintavo::os::posix {

// The value of `key` in the first group named `group` that has it, its escapes decoded; nullopt
// when there is none. Keys compare exactly, so "Name[de]" is not "Name".
std::optional<std::string> FindKeyFileValue(std::string_view content, std::string_view group,
                                            std::string_view key);

// `value` escaped so that it reads back unchanged as a key-file value on one line.
std::string EscapeKeyFileValue(std::string_view value);

// `argument` as one quoted argument of an Exec line (before EscapeKeyFileValue): every character
// that has a meaning there is escaped and "%" is doubled, so the program gets it unchanged.
std::string QuoteExecArgument(std::string_view argument);

// The first argument (the program) of a decoded Exec value, its quotes and escapes removed ("%%"
// is "%"); nullopt when it is missing, empty or its quote is never closed.
std::optional<std::string> FirstExecArgument(std::string_view exec);

}  // namespace lintavo::os::posix
