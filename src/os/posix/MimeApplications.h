#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lintavo::os::posix {

// The program of the user's default application for `mimeType`: the first desktop id listed for
// it under [Default Applications] in the mimeapps.list files (user config, system config, user
// data, system data, in that order) that names an installed, not hidden desktop entry with an Exec
// line. The program is the first word of that Exec line, found on $PATH when it is a bare name
// (kept as written when it is not found there). nullopt when no default application is set.
std::optional<std::string> DefaultApplicationProgram(std::string_view mimeType);

}  // namespace lintavo::os::posix
