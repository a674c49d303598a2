#pragma once

#include <string>
#include <string_view>
#include <vector>

// The Firefox family's profile lists: each installation has a folder (os/BrowserPlaces.h,
// FirefoxProfileRoots) with a profiles.ini that lists its profiles.
namespace lintavo::browsers {

// A profile as profiles.ini lists it: the name the person knows it by and its folder.
struct FirefoxProfile {
  std::string name;  // its Name, else its folder's name
  std::string folder;
};

// The profiles that the text of a profiles.ini in `root` lists, in the file's order: each section
// whose name begins with "Profile" and that has a Path, relative to `root` when IsRelative is 1,
// else an absolute path (a relative one is then no profile, as for Firefox).
std::vector<FirefoxProfile> ProfilesIn(std::string_view profilesIni, const std::string& root);

// The profile folders of ProfilesIn.
std::vector<std::string> ProfileFoldersIn(std::string_view profilesIni, const std::string& root);

// The profiles, and their folders, that root/profiles.ini lists; none when it cannot be read.
std::vector<FirefoxProfile> FirefoxProfiles(const std::string& root);
std::vector<std::string> FirefoxProfileFolders(const std::string& root);

}  // namespace lintavo::browsers
