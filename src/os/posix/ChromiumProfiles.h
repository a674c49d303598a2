#pragma once

#include <string>
#include <vector>

// Where the Chromium family keeps its profiles: each browser has a user-data folder, with one
// folder per profile ("Default", "Profile 1", ...) whose "Sessions" folder holds the session files.
namespace lintavo::os::posix {

// The user-data folders in $XDG_CONFIG_HOME, in the order they are read: Chromium, Google Chrome,
// Brave, Microsoft Edge, Vivaldi. Empty without a configuration folder.
std::vector<std::string> ChromiumUserDataFolders();

// The profile folders of a user-data folder: every folder in it that holds a "Sessions" folder,
// in byte order of their names.
std::vector<std::string> ChromiumProfileFolders(const std::string& userDataFolder);

// The profile's newest session file: of the files "Sessions/Session_<time>", the one with the
// latest time (a decimal number). Empty when there is none.
std::string NewestSessionFile(const std::string& profileFolder);

}  // namespace lintavo::os::posix
