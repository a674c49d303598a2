#include "os/ShellWindows.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <optional>

#include "base/Failure.h"
#include "base/PathText.h"
#include "os/SystemError.h"
#include "os/posix/BrowserFiles.h"
#include "os/posix/BrowserLocks.h"
#include "os/posix/ChromiumProfiles.h"
#include "os/posix/ChromiumSession.h"
#include "os/posix/FirefoxProfiles.h"
#include "os/posix/FirefoxSession.h"
#include "os/posix/MozLz4.h"
#include "os/posix/SeenFolders.h"
#include "os/posix/XdgFolders.h"

// On a freedesktop system the shell's browser windows are the tabs of the browsers running now,
// read from the session files each browser keeps up to date while it runs. A browser counts as
// running when a live process holds its profile's lock (os/posix/BrowserLocks.h); a session file
// that cannot be read or understood right now (browsers replace them as they run) is passed over,
// and the others are still listed.

namespace lintavo::os {

namespace {

using Windows = std::vector<std::optional<ShellWindows::Window>>;

// Every browser file lies below the home folder: when it cannot be reached, no window can be
// read, which is the one failure worth reporting. An account without browsers has no windows.
void RequireHomeFolder() {
  const std::string home = posix::HomeFolder();
  int error = 0;
  struct stat info {};
  if (home.empty()) {
    error = ENOENT;
  } else if (stat(home.c_str(), &info) != 0) {
    error = errno;
  } else if (!S_ISDIR(info.st_mode)) {
    error = ENOTDIR;
  } else if (access(home.c_str(), X_OK) != 0) {
    error = errno;
  }
  if (error != 0) {
    throw Failure(SystemErrorMessage(error));
  }
}

void Append(Windows& windows, const std::optional<std::vector<ShellWindows::Window>>& tabs) {
  if (tabs) {
    windows.insert(windows.end(), tabs->begin(), tabs->end());
  }
}

std::optional<std::vector<ShellWindows::Window>> FirefoxTabs(const std::string& profileFolder) {
  const auto file = posix::ReadBrowserFile(
      base::JoinPath(profileFolder, "sessionstore-backups/recovery.jsonlz4"));
  const auto json = file ? posix::DecodeMozLz4(*file, posix::kMaxBrowserFileSize) : std::nullopt;
  return json ? posix::FirefoxSessionTabs(*json) : std::nullopt;
}

std::optional<std::vector<ShellWindows::Window>> ChromiumTabs(const std::string& profileFolder) {
  const std::string path = posix::NewestSessionFile(profileFolder);
  const auto file = path.empty() ? std::nullopt : posix::ReadBrowserFile(path);
  return file ? posix::ChromiumSessionTabs(*file) : std::nullopt;
}

}  // namespace

// A profile folder's tabs are listed once, however often the profile lists and the browsers'
// folders lead to it: a profiles.ini may list one profile many times, under paths spelled
// differently or through symbolic links, and each reading of a large session costs time and
// memory.
ShellWindows ShellWindows::Snapshot() {
  RequireHomeFolder();
  Windows windows;
  posix::SeenFolders profilesRead;
  for (const std::string& root : posix::FirefoxProfileRoots()) {
    for (const std::string& profile : posix::FirefoxProfileFolders(root)) {
      if (profilesRead.FirstVisit(profile) && posix::FirefoxProfileInUse(profile)) {
        Append(windows, FirefoxTabs(profile));
      }
    }
  }
  for (const std::string& userData : posix::ChromiumUserDataFolders()) {
    if (posix::ChromiumUserDataInUse(userData)) {
      for (const std::string& profile : posix::ChromiumProfileFolders(userData)) {
        if (profilesRead.FirstVisit(profile)) {
          Append(windows, ChromiumTabs(profile));
        }
      }
    }
  }
  return ShellWindows(std::move(windows));
}

}  // namespace lintavo::os
