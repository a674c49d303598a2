#include "browsers/firefox/FirefoxProfiles.h"

#include <optional>

#include "base/PathText.h"
#include "base/ProfileSyntax.h"
#include "base/Text.h"
#include "browsers/BrowserFiles.h"

namespace lintavo::browsers {

namespace {

// One [Profile...] section as far as it has been read.
struct ProfileSection {
  std::optional<std::string> name;
  std::optional<std::string> path;
  std::optional<bool> isRelative;
};

void AddProfile(const ProfileSection& section, const std::string& root,
                std::vector<FirefoxProfile>& profiles) {
  if (!section.path || section.path->empty()) {
    return;
  }
  std::string folder;
  if (section.isRelative.value_or(false)) {
    folder = base::JoinPath(root, *section.path);
  } else if (section.path->front() == '/') {
    folder = *section.path;
  } else {
    return;
  }
  std::string name = section.name.value_or("");
  if (name.empty()) {
    const std::string trimmed = base::WithoutTrailingDelimiter(folder);
    name = trimmed.substr(trimmed.find_last_of('/') + 1);
  }
  profiles.push_back({std::move(name), std::move(folder)});
}

std::vector<std::string> FoldersOf(const std::vector<FirefoxProfile>& profiles) {
  std::vector<std::string> folders;
  for (const FirefoxProfile& profile : profiles) {
    folders.push_back(profile.folder);
  }
  return folders;
}

}  // namespace

// The lines are read as the settings file reads them (os/ProfileSyntax.h): blanks around names
// and values do not count, the first of two equal keys in a section wins. Names compare exactly,
// as Firefox compares them.
std::vector<FirefoxProfile> ProfilesIn(std::string_view profilesIni, const std::string& root) {
  std::vector<FirefoxProfile> profiles;
  std::optional<ProfileSection> section;  // inside a [Profile...] section
  std::string_view rest = profilesIni;
  while (!rest.empty()) {
    const std::string_view line = base::TakeLine(rest);
    const profile::LineMeaning meaning = profile::Interpret(line);
    if (meaning.kind == profile::LineMeaning::Kind::kSection ||
        meaning.kind == profile::LineMeaning::Kind::kUnnamedSection) {
      if (section) {
        AddProfile(*section, root, profiles);
      }
      section.reset();
      if (meaning.kind == profile::LineMeaning::Kind::kSection &&
          meaning.name.starts_with("Profile")) {
        section.emplace();
      }
    } else if (meaning.kind == profile::LineMeaning::Kind::kKey && section) {
      const std::string_view value = profile::ValueOfKeyLine(line);
      if (meaning.name == "Name" && !section->name) {
        section->name = std::string(value);
      } else if (meaning.name == "Path" && !section->path) {
        section->path = std::string(value);
      } else if (meaning.name == "IsRelative" && !section->isRelative) {
        section->isRelative = value == "1";
      }
    }
  }
  if (section) {
    AddProfile(*section, root, profiles);
  }
  return profiles;
}

std::vector<std::string> ProfileFoldersIn(std::string_view profilesIni, const std::string& root) {
  return FoldersOf(ProfilesIn(profilesIni, root));
}

std::vector<FirefoxProfile> FirefoxProfiles(const std::string& root) {
  const std::optional<std::string> text = ReadBrowserFile(base::JoinPath(root, "profiles.ini"));
  return text ? ProfilesIn(*text, root) : std::vector<FirefoxProfile>();
}

std::vector<std::string> FirefoxProfileFolders(const std::string& root) {
  return FoldersOf(FirefoxProfiles(root));
}

}  // namespace lintavo::browsers
