#include "os/BrowserPlaces.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string_view>

#include "base/PathText.h"
#include "os/posix/XdgFolders.h"

namespace lintavo::os {

std::vector<std::string> FirefoxProfileRoots() {
  const std::string home = posix::HomeFolder();
  if (home.empty()) {
    return {};
  }
  return {base::JoinPath(home, ".mozilla/firefox"),
          base::JoinPath(posix::ConfigHome(), "mozilla/firefox"),
          base::JoinPath(home, "snap/firefox/common/.mozilla/firefox"),
          base::JoinPath(home, ".var/app/org.mozilla.firefox/.mozilla/firefox")};
}

std::vector<ChromiumBrowser> ChromiumBrowsers() {
  const std::string configHome = posix::ConfigHome();
  if (configHome.empty()) {
    return {};
  }
  struct Known {
    std::string_view name;
    std::string_view folder;
  };
  constexpr Known kKnown[] = {{"Chromium", "chromium"},
                              {"Google Chrome", "google-chrome"},
                              {"Brave", "BraveSoftware/Brave-Browser"},
                              {"Microsoft Edge", "microsoft-edge"},
                              {"Vivaldi", "vivaldi"}};
  std::vector<ChromiumBrowser> browsers;
  for (const Known& known : kKnown) {
    browsers.push_back({std::string(known.name), base::JoinPath(configHome, known.folder)});
  }
  return browsers;
}

ErrorCode BrowserFilesFolderError() {
  const std::string home = posix::HomeFolder();
  struct stat info {};
  if (home.empty()) {
    return ENOENT;
  }
  if (stat(home.c_str(), &info) != 0) {
    return errno;
  }
  if (!S_ISDIR(info.st_mode)) {
    return ENOTDIR;
  }
  return access(home.c_str(), X_OK) == 0 ? 0 : errno;
}

}  // namespace lintavo::os
