#include "os/posix/XdgFolders.h"

#include <cstdlib>

#include "base/PathText.h"
#include "base/Text.h"
#include "os/Files.h"

namespace lintavo::os::posix {

namespace {

std::string_view EnvironmentValue(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::string_view(value) : std::string_view();
}

bool IsAbsolute(std::string_view path) {
  return !path.empty() && path.front() == '/';
}

// A base folder variable, or `homeRelativeDefault` under $HOME. The base-directory rules say a
// relative path in these variables is invalid and must be ignored.
std::string BaseFolder(const char* variable, std::string_view homeRelativeDefault) {
  const std::string_view value = EnvironmentValue(variable);
  if (IsAbsolute(value)) {
    return base::WithoutTrailingDelimiter(std::string(value));
  }
  const std::string home = HomeFolder();
  return home.empty() ? std::string() : base::JoinPath(home, homeRelativeDefault);
}

std::vector<std::string> FolderList(const char* variable, std::string_view defaultList) {
  std::string_view list = EnvironmentValue(variable);
  if (list.empty()) {
    list = defaultList;
  }
  std::vector<std::string> folders;
  while (!list.empty()) {
    if (const std::string_view entry = base::TakeField(list, ':'); IsAbsolute(entry)) {
      folders.push_back(base::WithoutTrailingDelimiter(std::string(entry)));
    }
  }
  return folders;
}

// The value of a shell assignment as user-dirs.dirs writes it: a double-quoted word whose
// backslashes escape the next character, or a bare word up to the first blank.
std::string UnquoteValue(std::string_view text) {
  if (text.empty() || text.front() != '"') {
    return std::string(text.substr(0, text.find_first_of(" \t")));
  }
  std::string value;
  for (std::size_t i = 1; i < text.size() && text[i] != '"'; ++i) {
    if (text[i] == '\\' && i + 1 < text.size()) {
      ++i;
    }
    value += text[i];
  }
  return value;
}

// "$HOME/x" and "x" both mean the folder x in the home folder; "/x" is taken as it is.
std::optional<std::string> ExpandUserFolder(std::string_view value) {
  if (value.empty()) {
    return std::nullopt;
  }
  if (IsAbsolute(value)) {
    return base::WithoutTrailingDelimiter(std::string(value));
  }
  const std::string home = HomeFolder();
  if (home.empty()) {
    return std::nullopt;
  }
  for (const std::string_view variable : {"$HOME", "${HOME}"}) {
    if (value.starts_with(variable) &&
        (value.size() == variable.size() || value[variable.size()] == '/')) {
      return base::WithoutTrailingDelimiter(home + std::string(value.substr(variable.size())));
    }
  }
  return base::WithoutTrailingDelimiter(base::JoinPath(home, value));
}

}  // namespace

std::string HomeFolder() {
  return base::WithoutTrailingDelimiter(std::string(EnvironmentValue("HOME")));
}

std::string ConfigHome() {
  return BaseFolder("XDG_CONFIG_HOME", ".config");
}

std::string DataHome() {
  return BaseFolder("XDG_DATA_HOME", ".local/share");
}

std::vector<std::string> ConfigDirs() {
  return FolderList("XDG_CONFIG_DIRS", "/etc/xdg");
}

std::vector<std::string> DataDirs() {
  return FolderList("XDG_DATA_DIRS", "/usr/local/share:/usr/share");
}

std::optional<std::string> UserDirectory(std::string_view name) {
  const std::string configHome = ConfigHome();
  std::string content;
  if (configHome.empty() ||
      ReadWholeFile(base::JoinPath(configHome, "user-dirs.dirs"), content) != 0) {
    return std::nullopt;
  }
  const std::string variable = "XDG_" + std::string(name) + "_DIR";
  std::optional<std::string> folder;
  std::string_view rest = content;
  while (!rest.empty()) {
    std::string_view line = base::TrimBlanks(base::TakeLine(rest));
    if (!line.starts_with(variable)) {
      continue;
    }
    line = base::TrimLeadingBlanks(line.substr(variable.size()));
    if (line.empty() || line.front() != '=') {
      continue;
    }
    // A later assignment overrides an earlier one, as when the shell reads the file.
    if (auto expanded = ExpandUserFolder(UnquoteValue(base::TrimLeadingBlanks(line.substr(1))))) {
      folder = std::move(expanded);
    }
  }
  return folder;
}

}  // namespace lintavo::os::posix
