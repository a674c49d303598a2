#include "os/BrowserPlaces.h"

#include <shlobj.h>

#include <string_view>

#include "base/PathText.h"
#include "os/win32/ShellFolderPath.h"
#include "os/win32/WideText.h"

namespace lintavo::os {

std::vector<std::string> FirefoxProfileRoots() {
  const std::string appData = win32::ShellFolderPath(CSIDL_APPDATA);
  if (appData.empty()) {
    return {};
  }
  return {base::JoinPath(appData, "Mozilla\\Firefox")};
}

std::vector<ChromiumBrowser> ChromiumBrowsers() {
  const std::string localAppData = win32::ShellFolderPath(CSIDL_LOCAL_APPDATA);
  if (localAppData.empty()) {
    return {};
  }
  struct Known {
    std::string_view name;
    std::string_view folder;
  };
  constexpr Known kKnown[] = {{"Chromium", "Chromium\\User Data"},
                              {"Google Chrome", "Google\\Chrome\\User Data"},
                              {"Brave", "BraveSoftware\\Brave-Browser\\User Data"},
                              {"Microsoft Edge", "Microsoft\\Edge\\User Data"},
                              {"Vivaldi", "Vivaldi\\User Data"}};
  std::vector<ChromiumBrowser> browsers;
  for (const Known& known : kKnown) {
    browsers.push_back({std::string(known.name), base::JoinPath(localAppData, known.folder)});
  }
  return browsers;
}

// The browsers keep their files in the user's profile folder.
ErrorCode BrowserFilesFolderError() {
  const std::string localAppData = win32::ShellFolderPath(CSIDL_LOCAL_APPDATA);
  if (localAppData.empty()) {
    return ERROR_PATH_NOT_FOUND;
  }
  const DWORD attributes = GetFileAttributesW(win32::Wide(localAppData).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    return static_cast<ErrorCode>(GetLastError());
  }
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? 0 : ERROR_DIRECTORY;
}

}  // namespace lintavo::os
