#pragma once

#include <string>
#include <vector>

#include "os/SystemError.h"

// Where the browsers keep their profiles on this system. The files in those places are the same
// on every system (the browsers layer reads and writes them); only the places differ.
namespace lintavo::os {

// The folders that may hold a Firefox-family profiles.ini, in the order they are read. On a
// freedesktop system ~/.mozilla/firefox, $XDG_CONFIG_HOME/mozilla/firefox (where newer versions
// make a new user's profiles), the snap's ~/snap/firefox/common/.mozilla/firefox and the
// flatpak's ~/.var/app/org.mozilla.firefox/.mozilla/firefox; on Windows
// %APPDATA%\Mozilla\Firefox. Empty without a home folder.
std::vector<std::string> FirefoxProfileRoots();

// A browser of the Chromium family: the name people know it by, and its user-data folder.
struct ChromiumBrowser {
  std::string name;
  std::string userDataFolder;
};

// The Chromium-family browsers with their user-data folders, in the order they are read:
// Chromium, Google Chrome, Brave, Microsoft Edge, Vivaldi. On a freedesktop system the folders lie
// in $XDG_CONFIG_HOME; on Windows in %LOCALAPPDATA% ("Google\Chrome\User Data", ...). Empty
// without a configuration folder.
std::vector<ChromiumBrowser> ChromiumBrowsers();

// Whether the folder below which every browser keeps its files (the home folder on a freedesktop
// system) can be reached: 0, else the system's reason. When it cannot, no browser's files can be
// read; an account without browsers is no failure.
ErrorCode BrowserFilesFolderError();

}  // namespace lintavo::os
