#pragma once

#include <string>

// Whether a browser runs on a profile, told by the lock it holds there while it runs. A browser
// that crashed leaves its lock behind, so a lock counts only while the process it names lives.
// Nothing here waits: locks are tested, never taken.
namespace lintavo::os {

// A Firefox-family browser holds the profile when another process holds an fcntl lock on its
// ".parentlock" file, or when its "lock" link names "<address>:+<pid>" of a live process. Firefox
// on Linux makes both; the fcntl lock alone also holds for a browser in another PID namespace (a
// flatpak), the link alone for a profile on a file system without fcntl locks. The address is
// not compared with this machine's: finding out its own addresses could wait on the network.
bool FirefoxProfileInUse(const std::string& profileFolder);

// A Chromium-family browser runs on the user-data folder when its "SingletonLock" link names
// "<host>-<pid>" of a live process on this host, as the browser itself decides.
bool ChromiumUserDataInUse(const std::string& userDataFolder);

}  // namespace lintavo::os
