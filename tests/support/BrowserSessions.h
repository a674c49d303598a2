#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <string_view>

// Browsers' own files, made for tests and benchmarks: Firefox's mozLz4 files, Chromium's session
// files, and running browsers' profiles laid out in a home folder.
namespace lintavo::test {

// `content` as Firefox stores a compressed file: "mozLz40\0", the size, one LZ4 block.
std::string MozLz4File(std::string_view content);

// The ids of Chromium's session commands (components/sessions, session_service_commands.cc).
enum SnssCommand : std::uint8_t {
  kSetTabWindow = 0,
  kSetTabIndexInWindow = 2,
  kTabNavigationPathPrunedFromBack = 5,
  kUpdateTabNavigation = 6,
  kSetSelectedNavigationIndex = 7,
  kSetWindowType = 9,
  kTabNavigationPathPrunedFromFront = 11,
  kSetPinnedState = 12,
  kTabClosed = 16,
  kWindowClosed = 17,
  kTabNavigationPathPruned = 24,
  kInitialStateMarker = 255,
};

// A Chromium session file, built command by command ("SNSS", the version, then each command as a
// 16-bit size, an 8-bit id and the payload). The commands take Chromium's ids for windows and tabs.
class SnssFile {
 public:
  explicit SnssFile(std::int32_t version = 3);

  // A command with any id and payload.
  SnssFile& Command(std::uint8_t id, std::string_view payload);

  SnssFile& WindowType(std::int32_t window, std::int32_t type);  // 0: a normal browser window
  SnssFile& TabWindow(std::int32_t window, std::int32_t tab);
  SnssFile& TabIndex(std::int32_t tab, std::int32_t index);
  SnssFile& Navigation(std::int32_t tab, std::int32_t index, std::string_view url);
  SnssFile& SelectedNavigation(std::int32_t tab, std::int32_t index);
  SnssFile& Pruned(std::int32_t tab, std::int32_t index, std::int32_t count);
  SnssFile& TabClosed(std::int32_t tab);
  SnssFile& WindowClosed(std::int32_t window);
  // The marker that ends the state a file starts with.
  SnssFile& Marker();
  // A normal window holding one tab for each URL, with tab ids from `firstTab` on.
  SnssFile& WindowWithTabs(std::int32_t window, std::int32_t firstTab,
                           std::initializer_list<std::string_view> urls);

  const std::string& Bytes() const { return bytes_; }

 private:
  std::string bytes_;
};

// The 32-bit fields of a fixed-size command payload, little-endian.
std::string Int32Fields(std::initializer_list<std::int32_t> fields);

// The id of a process that has ended and been reaped: what the lock of a browser that crashed
// names.
pid_t EndedProcess();

// A lock link of a running Firefox, as it names the process holding the profile.
std::string FirefoxLockTarget(pid_t pid);
// A SingletonLock link of a running Chromium on this host.
std::string ChromiumLockTarget(pid_t pid);

// The user.js of a profile that a test starts a real Firefox with: the session is written every
// second, and no first-run or what's-new page opens.
inline constexpr const char* kQuietFirefoxUserJs =
    "user_pref(\"browser.sessionstore.interval\", 1000);\n"
    "user_pref(\"browser.shell.checkDefaultBrowser\", false);\n"
    "user_pref(\"browser.startup.homepage_override.mstone\", \"ignore\");\n"
    "user_pref(\"datareporting.policy.firstRunURL\", \"\");\n"
    "user_pref(\"toolkit.telemetry.reportingpolicy.firstRun\", false);\n"
    "user_pref(\"browser.aboutwelcome.enabled\", false);\n";

// A Firefox-family profile named `name` in the folder `root` (which holds profiles.ini): listed in
// profiles.ini (relative to `root`) and its folder made, empty. Returns the profile's folder.
std::string AddFirefoxProfileFolder(const std::string& root, const std::string& name);

// Makes the profile in use: its "lock" link names "127.0.0.1:+<lockPid>".
void LockFirefoxProfile(const std::string& profileFolder, pid_t lockPid);

// A Firefox-family profile named `name` in the folder `root` (which holds profiles.ini): listed in
// profiles.ini, its "lock" link naming "127.0.0.1:+<lockPid>", its recovery file holding
// `recoveryFile`. Returns the profile's folder.
std::string AddFirefoxProfile(const std::string& root, const std::string& name,
                              const std::string& recoveryFile, pid_t lockPid);

// A Chromium-family user-data folder whose SingletonLock names `lockPid` on this host.
void LockChromiumUserData(const std::string& userDataFolder, pid_t lockPid);
// A profile in a Chromium-family user-data folder with one session file. Returns its folder.
std::string AddChromiumProfile(const std::string& userDataFolder, const std::string& name,
                               const std::string& sessionFile);

}  // namespace lintavo::test
