#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The freedesktop base folders and user folders, read from the environment on every call so a
// changed environment (as in tests) is always honoured. Paths come without a trailing slash.
namespace lintavo::os::posix {

// $HOME; empty when it is unset or empty.
std::string HomeFolder();

// $XDG_CONFIG_HOME, default $HOME/.config; empty when neither gives a folder.
std::string ConfigHome();
// $XDG_DATA_HOME, default $HOME/.local/share; empty when neither gives a folder.
std::string DataHome();
// $XDG_CONFIG_DIRS, default /etc/xdg, most important first.
std::vector<std::string> ConfigDirs();
// $XDG_DATA_DIRS, default /usr/local/share:/usr/share, most important first.
std::vector<std::string> DataDirs();

// The user folder `XDG_<name>_DIR` from $XDG_CONFIG_HOME/user-dirs.dirs (name as "DESKTOP",
// "DOCUMENTS"); nullopt when the file does not name one.
std::optional<std::string> UserDirectory(std::string_view name);

}  // namespace lintavo::os::posix
