#include "os/BrowserLocks.h"

#include <windows.h>

#include "base/PathText.h"
#include "os/win32/WideText.h"

// On Windows a running browser keeps a lock file open that others may not open as it does: the
// Firefox family its profile's "parent.lock" with no sharing at all, the Chromium family its
// user-data folder's "lockfile" for writing, shared for reading only (and deleted as it closes).
// The file is opened here only to ask, never to change it; a crashed browser's handles are gone
// with its process, so a file left behind opens freely and counts for nothing.

namespace lintavo::os {

namespace {

// Whether another process holds `path` open in a way that refuses an open for `access`.
bool HeldOpenByAnother(const std::string& path, DWORD access) {
  const HANDLE file = CreateFileW(win32::Wide(path).c_str(), access,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return GetLastError() == ERROR_SHARING_VIOLATION;
  }
  CloseHandle(file);
  return false;
}

}  // namespace

bool FirefoxProfileInUse(const std::string& profileFolder) {
  return HeldOpenByAnother(base::JoinPath(profileFolder, "parent.lock"), GENERIC_READ);
}

bool ChromiumUserDataInUse(const std::string& userDataFolder) {
  return HeldOpenByAnother(base::JoinPath(userDataFolder, "lockfile"), GENERIC_WRITE);
}

}  // namespace lintavo::os
