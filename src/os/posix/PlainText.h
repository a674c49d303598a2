#pragma once

#include <string>
#include <string_view>

// Small routines shared by the readers of the system's text files.
namespace lintavo::os::posix {

// A space or a tab.
bool IsBlank(char c);

std::string_view TrimLeadingBlanks(std::string_view text);
std::string_view TrimBlanks(std::string_view text);

// `text` with ASCII letters in lower case; other bytes (UTF-8 included) unchanged.
std::string AsciiLowerCase(std::string_view text);

// Takes the text up to the first `separator` off the front of `rest` and returns it; `rest` keeps
// what follows the separator (nothing when there is none).
std::string_view TakeField(std::string_view& rest, char separator);

// Takes the next line off `rest`, without its LF or CR LF.
std::string_view TakeLine(std::string_view& rest);

}  // namespace lintavo::os::posix
