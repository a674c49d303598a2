#include "browsers/chromium/ChromiumProfiles.h"

#include <algorithm>
#include <string_view>

#include "base/PathText.h"
#include "os/BrowserPlaces.h"
#include "os/Files.h"

namespace lintavo::browsers {

namespace {

constexpr std::string_view kSessionFilePrefix = "Session_";

// The time in a session file's name without leading zeros; empty when it is no session file.
std::string_view SessionTime(std::string_view name) {
  if (!name.starts_with(kSessionFilePrefix)) {
    return {};
  }
  std::string_view digits = name.substr(kSessionFilePrefix.size());
  if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos) {
    return {};
  }
  const std::size_t significant = digits.find_first_not_of('0');
  return significant == std::string_view::npos ? digits.substr(digits.size() - 1)
                                               : digits.substr(significant);
}

// Decimal numbers of any length, compared by value.
bool EarlierTime(std::string_view a, std::string_view b) {
  return a.size() != b.size() ? a.size() < b.size() : a < b;
}

}  // namespace

std::vector<std::string> ChromiumUserDataFolders() {
  std::vector<std::string> folders;
  for (os::ChromiumBrowser& browser : os::ChromiumBrowsers()) {
    folders.push_back(std::move(browser.userDataFolder));
  }
  return folders;
}

std::vector<std::string> ChromiumSettingsProfileFolders(const std::string& userDataFolder) {
  std::vector<std::string> names = os::NamesInFolder(userDataFolder);
  std::sort(names.begin(), names.end());
  std::vector<std::string> folders;
  for (const std::string& name : names) {
    if (name == "System Profile" || name == "Guest Profile") {
      continue;
    }
    std::string folder = base::JoinPath(userDataFolder, name);
    if (os::FileExists(base::JoinPath(folder, "Preferences"))) {
      folders.push_back(std::move(folder));
    }
  }
  return folders;
}

std::vector<std::string> ChromiumProfileFolders(const std::string& userDataFolder) {
  std::vector<std::string> names = os::NamesInFolder(userDataFolder);
  std::sort(names.begin(), names.end());
  std::vector<std::string> folders;
  for (const std::string& name : names) {
    std::string folder = base::JoinPath(userDataFolder, name);
    if (os::DirectoryExists(base::JoinPath(folder, "Sessions"))) {
      folders.push_back(std::move(folder));
    }
  }
  return folders;
}

std::string NewestSessionFile(const std::string& profileFolder) {
  const std::string sessions = base::JoinPath(profileFolder, "Sessions");
  const std::vector<std::string> names = os::NamesInFolder(sessions);
  const std::string* newest = nullptr;
  for (const std::string& name : names) {
    const std::string_view time = SessionTime(name);
    if (!time.empty() && (newest == nullptr || EarlierTime(SessionTime(*newest), time))) {
      newest = &name;
    }
  }
  return newest == nullptr ? std::string() : base::JoinPath(sessions, *newest);
}

}  // namespace lintavo::browsers
