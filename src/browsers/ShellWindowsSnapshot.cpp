#include <optional>

#include "base/Failure.h"
#include "base/PathText.h"
#include "browsers/BrowserFiles.h"
#include "browsers/SeenFolders.h"
#include "browsers/ShellWindows.h"
#include "browsers/chromium/ChromiumProfiles.h"
#include "browsers/chromium/ChromiumSession.h"
#include "browsers/firefox/FirefoxProfiles.h"
#include "browsers/firefox/FirefoxSession.h"
#include "browsers/firefox/MozLz4.h"
#include "os/BrowserLocks.h"
#include "os/BrowserPlaces.h"
#include "os/SystemError.h"

// The open windows are the tabs of the browsers running now, read from the session files each
// browser keeps up to date while it runs. A browser counts as running when a live process holds
// its profile's lock (os/BrowserLocks.h); a session file that cannot be read or understood right
// now (browsers replace them as they run) is passed over, and the others are still listed.

namespace lintavo::browsers {

namespace {

using Windows = std::vector<std::optional<ShellWindows::Window>>;

void Append(Windows& windows, const std::optional<std::vector<ShellWindows::Window>>& tabs) {
  if (tabs) {
    windows.insert(windows.end(), tabs->begin(), tabs->end());
  }
}

std::optional<std::vector<ShellWindows::Window>> FirefoxTabs(const std::string& profileFolder) {
  const auto file =
      ReadBrowserFile(base::JoinPath(profileFolder, "sessionstore-backups/recovery.jsonlz4"));
  const auto json = file ? DecodeMozLz4(*file, kMaxBrowserFileSize) : std::nullopt;
  return json ? FirefoxSessionTabs(*json) : std::nullopt;
}

std::optional<std::vector<ShellWindows::Window>> ChromiumTabs(const std::string& profileFolder) {
  const std::string path = NewestSessionFile(profileFolder);
  const auto file = path.empty() ? std::nullopt : ReadBrowserFile(path);
  return file ? ChromiumSessionTabs(*file) : std::nullopt;
}

}  // namespace

// A profile folder's tabs are listed once, however often the profile lists and the browsers'
// folders lead to it: a profiles.ini may list one profile many times, under paths spelled
// differently or through symbolic links, and each reading of a large session costs time and
// memory.
ShellWindows ShellWindows::Snapshot() {
  // Every browser file lies below one folder: when it cannot be reached, no window can be read,
  // which is the one failure worth reporting. An account without browsers has no windows.
  if (const os::ErrorCode error = os::BrowserFilesFolderError()) {
    throw Failure(os::SystemErrorMessage(error));
  }
  Windows windows;
  SeenFolders profilesRead;
  for (const std::string& root : os::FirefoxProfileRoots()) {
    for (const std::string& profile : FirefoxProfileFolders(root)) {
      if (profilesRead.FirstVisit(profile) && os::FirefoxProfileInUse(profile)) {
        Append(windows, FirefoxTabs(profile));
      }
    }
  }
  for (const std::string& userData : ChromiumUserDataFolders()) {
    if (os::ChromiumUserDataInUse(userData)) {
      for (const std::string& profile : ChromiumProfileFolders(userData)) {
        if (profilesRead.FirstVisit(profile)) {
          Append(windows, ChromiumTabs(profile));
        }
      }
    }
  }
  return ShellWindows(std::move(windows));
}

}  // namespace lintavo::browsers
