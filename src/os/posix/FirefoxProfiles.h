#pragma once

#include <string>
#include <string_view>
#include <vector>

// Where the Firefox family keeps its profiles: each installation has a folder with a profiles.ini
// that lists them.
namespace lintavo::os::posix {

// The folders that may hold a Firefox-family profiles.ini, in the order they are read:
// ~/.mozilla/firefox, $XDG_CONFIG_HOME/mozilla/firefox (where newer versions make a new user's
// profiles), the snap's ~/snap/firefox/common/.mozilla/firefox and the flatpak's
// ~/.var/app/org.mozilla.firefox/.mozilla/firefox. Empty without a home folder.
std::vector<std::string> FirefoxProfileRoots();

// The profile folders that the text of a profiles.ini in `root` lists, in the file's order: each
// section whose name begins with "Profile" and that has a Path, relative to `root` when IsRelative
// is 1, else an absolute path (a relative one is then no profile, as for Firefox).
std::vector<std::string> ProfileFoldersIn(std::string_view profilesIni, const std::string& root);

// The profile folders that root/profiles.ini lists; none when it cannot be read.
std::vector<std::string> FirefoxProfileFolders(const std::string& root);

}  // namespace lintavo::os::posix
