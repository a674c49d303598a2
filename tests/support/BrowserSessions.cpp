#include "support/BrowserSessions.h"

#include <lz4.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <filesystem>
#include <stdexcept>

#include "support/LittleEndianBytes.h"
#include "support/TestEnvironment.h"

namespace lintavo::test {

namespace fs = std::filesystem;

namespace {

void PadToFour(std::string& bytes) {
  bytes.append((4 - bytes.size() % 4) % 4, '\0');
}

// A pickle: the payload's size, then the payload.
std::string Pickle(const std::string& payload) {
  std::string pickle;
  AppendLittleEndian(pickle, payload.size(), 4);
  return pickle + payload;
}

}  // namespace

std::string MozLz4File(std::string_view content) {
  std::string block(static_cast<std::size_t>(LZ4_compressBound(static_cast<int>(content.size()))),
                    '\0');
  const int size =
      LZ4_compress_default(content.data(), block.data(), static_cast<int>(content.size()),
                           static_cast<int>(block.size()));
  if (size <= 0) {
    throw std::runtime_error("LZ4 cannot compress the content");
  }
  std::string file("mozLz40\0", 8);
  AppendLittleEndian(file, content.size(), 4);
  return file + block.substr(0, static_cast<std::size_t>(size));
}

std::string Int32Fields(std::initializer_list<std::int32_t> fields) {
  std::string bytes;
  for (const std::int32_t field : fields) {
    AppendLittleEndian(bytes, static_cast<std::uint32_t>(field), 4);
  }
  return bytes;
}

SnssFile::SnssFile(std::int32_t version) : bytes_("SNSS") {
  AppendLittleEndian(bytes_, static_cast<std::uint32_t>(version), 4);
}

SnssFile& SnssFile::Command(std::uint8_t id, std::string_view payload) {
  AppendLittleEndian(bytes_, payload.size() + 1, 2);
  bytes_ += static_cast<char>(id);
  bytes_ += payload;
  return *this;
}

SnssFile& SnssFile::WindowType(std::int32_t window, std::int32_t type) {
  return Command(kSetWindowType, Int32Fields({window, type}));
}

SnssFile& SnssFile::TabWindow(std::int32_t window, std::int32_t tab) {
  return Command(kSetTabWindow, Int32Fields({window, tab}));
}

SnssFile& SnssFile::TabIndex(std::int32_t tab, std::int32_t index) {
  return Command(kSetTabIndexInWindow, Int32Fields({tab, index}));
}

// The fields Chromium reads before it accepts an entry: tab id, index, URL, title (UTF-16), page
// state, transition type; then the type mask, as Chromium writes it next.
SnssFile& SnssFile::Navigation(std::int32_t tab, std::int32_t index, std::string_view url) {
  std::string payload = Int32Fields({tab, index, static_cast<std::int32_t>(url.size())});
  payload += url;
  PadToFour(payload);
  payload += Int32Fields({0, 0, 0, 0});  // no title, no page state, a link, no post data
  return Command(kUpdateTabNavigation, Pickle(payload));
}

SnssFile& SnssFile::SelectedNavigation(std::int32_t tab, std::int32_t index) {
  return Command(kSetSelectedNavigationIndex, Int32Fields({tab, index}));
}

SnssFile& SnssFile::Pruned(std::int32_t tab, std::int32_t index, std::int32_t count) {
  return Command(kTabNavigationPathPruned, Int32Fields({tab, index, count}));
}

SnssFile& SnssFile::TabClosed(std::int32_t tab) {
  return Command(kTabClosed, Int32Fields({tab, 0, 0, 0}));
}

SnssFile& SnssFile::WindowClosed(std::int32_t window) {
  return Command(kWindowClosed, Int32Fields({window, 0, 0, 0}));
}

SnssFile& SnssFile::Marker() {
  return Command(kInitialStateMarker, "");
}

SnssFile& SnssFile::WindowWithTabs(std::int32_t window, std::int32_t firstTab,
                                   std::initializer_list<std::string_view> urls) {
  WindowType(window, 0);
  std::int32_t tab = firstTab;
  for (const std::string_view url : urls) {
    TabWindow(window, tab).TabIndex(tab, tab - firstTab).Navigation(tab, 0, url);
    SelectedNavigation(tab, 0);
    ++tab;
  }
  return *this;
}

pid_t EndedProcess() {
  const pid_t child = fork();
  if (child == 0) {
    _exit(0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return child;
}

std::string FirefoxLockTarget(pid_t pid) {
  return "127.0.0.1:+" + std::to_string(pid);
}

std::string ChromiumLockTarget(pid_t pid) {
  char host[HOST_NAME_MAX + 1] = {};
  gethostname(host, sizeof host - 1);
  return std::string(host) + "-" + std::to_string(pid);
}

std::string AddFirefoxProfileFolder(const std::string& root, const std::string& name) {
  const std::string list = root + "/profiles.ini";
  std::string text = fs::exists(list) ? ReadFileBytes(list) : "[General]\nVersion=2\n";
  std::size_t profiles = 0;
  for (std::size_t at = text.find("[Profile"); at != std::string::npos;
       at = text.find("[Profile", at + 1)) {
    ++profiles;
  }
  text += "\n[Profile" + std::to_string(profiles) + "]\nName=" + name +
          "\nIsRelative=1\nPath=" + name + "\n";
  WriteFileBytes(list, text);
  const std::string folder = root + "/" + name;
  fs::create_directories(folder);
  return folder;
}

void LockFirefoxProfile(const std::string& profileFolder, pid_t lockPid) {
  fs::create_symlink(FirefoxLockTarget(lockPid), profileFolder + "/lock");
}

std::string AddFirefoxProfile(const std::string& root, const std::string& name,
                              const std::string& recoveryFile, pid_t lockPid) {
  const std::string folder = AddFirefoxProfileFolder(root, name);
  WriteFileBytes(folder + "/sessionstore-backups/recovery.jsonlz4", recoveryFile);
  LockFirefoxProfile(folder, lockPid);
  return folder;
}

void LockChromiumUserData(const std::string& userDataFolder, pid_t lockPid) {
  fs::create_directories(userDataFolder);
  fs::create_symlink(ChromiumLockTarget(lockPid), userDataFolder + "/SingletonLock");
}

std::string AddChromiumProfile(const std::string& userDataFolder, const std::string& name,
                               const std::string& sessionFile) {
  const std::string folder = userDataFolder + "/" + name;
  WriteFileBytes(folder + "/Sessions/Session_13441350423003629", sessionFile);
  return folder;
}

}  // namespace lintavo::test
