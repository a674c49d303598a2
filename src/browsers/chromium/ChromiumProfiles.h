#pragma once

#include <string>
#include <vector>

// Where the Chromium family keeps its profiles: each browser has a user-data folder, with one
// folder per profile ("Default", "Profile 1", ...) whose "Sessions" folder holds the session files.
namespace lintavo::browsers {

// The user-data folders of the family's browsers (os/BrowserPlaces.h, ChromiumBrowsers), in
// that order.
std::vector<std::string> ChromiumUserDataFolders();

// The profile folders of a user-data folder: every folder in it that holds a "Sessions" folder,
// in byte order of their names.
std::vector<std::string> ChromiumProfileFolders(const std::string& userDataFolder);

// The profiles whose settings a user-data folder keeps: every folder in it that holds a
// "Preferences" file, in byte order of their names, but for the browser's own "System Profile" and
// "Guest Profile", which start afresh.
std::vector<std::string> ChromiumSettingsProfileFolders(const std::string& userDataFolder);

// The profile's newest session file: of the files "Sessions/Session_<time>", the one with the
// latest time (a decimal number). Empty when there is none.
std::string NewestSessionFile(const std::string& profileFolder);

}  // namespace lintavo::browsers
