#include "os/posix/FirefoxProfiles.h"

#include <optional>

#include "os/PathText.h"
#include "os/ProfileSyntax.h"
#include "os/Text.h"
#include "os/posix/BrowserFiles.h"
#include "os/posix/XdgFolders.h"

namespace lintavo::os::posix {

namespace {

// One [Profile...] section as far as it has been read.
struct ProfileSection {
  std::optional<std::string> path;
  std::optional<bool> isRelative;
};

void AddFolder(const ProfileSection& section, const std::string& root,
               std::vector<std::string>& folders) {
  if (!section.path || section.path->empty()) {
    return;
  }
  if (section.isRelative.value_or(false)) {
    folders.push_back(JoinPath(root, *section.path));
  } else if (section.path->front() == '/') {
    folders.push_back(*section.path);
  }
}

}  // namespace

std::vector<std::string> FirefoxProfileRoots() {
  const std::string home = HomeFolder();
  if (home.empty()) {
    return {};
  }
  return {JoinPath(home, ".mozilla/firefox"), JoinPath(ConfigHome(), "mozilla/firefox"),
          JoinPath(home, "snap/firefox/common/.mozilla/firefox"),
          JoinPath(home, ".var/app/org.mozilla.firefox/.mozilla/firefox")};
}

// The lines are read as the settings file reads them (os/ProfileSyntax.h): blanks around names
// and values do not count, the first of two equal keys in a section wins. Names compare exactly,
// as Firefox compares them.
std::vector<std::string> ProfileFoldersIn(std::string_view profilesIni, const std::string& root) {
  std::vector<std::string> folders;
  std::optional<ProfileSection> section;  // inside a [Profile...] section
  std::string_view rest = profilesIni;
  while (!rest.empty()) {
    const std::string_view line = TakeLine(rest);
    const profile::LineMeaning meaning = profile::Interpret(line);
    if (meaning.kind == profile::LineMeaning::Kind::kSection ||
        meaning.kind == profile::LineMeaning::Kind::kUnnamedSection) {
      if (section) {
        AddFolder(*section, root, folders);
      }
      section.reset();
      if (meaning.kind == profile::LineMeaning::Kind::kSection &&
          meaning.name.starts_with("Profile")) {
        section.emplace();
      }
    } else if (meaning.kind == profile::LineMeaning::Kind::kKey && section) {
      const std::string_view value = profile::ValueOfKeyLine(line);
      if (meaning.name == "Path" && !section->path) {
        section->path = std::string(value);
      } else if (meaning.name == "IsRelative" && !section->isRelative) {
        section->isRelative = value == "1";
      }
    }
  }
  if (section) {
    AddFolder(*section, root, folders);
  }
  return folders;
}

std::vector<std::string> FirefoxProfileFolders(const std::string& root) {
  const std::optional<std::string> text = ReadBrowserFile(JoinPath(root, "profiles.ini"));
  return text ? ProfileFoldersIn(*text, root) : std::vector<std::string>();
}

}  // namespace lintavo::os::posix
