#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "os/BrowserLocks.h"
#include "support/BrowserSessions.h"
#include "support/TestEnvironment.h"

namespace lintavo {
namespace {

namespace fs = std::filesystem;
using os::ChromiumUserDataInUse;
using os::FirefoxProfileInUse;
using test::TempFolder;

// An fcntl lock on a whole file, as a running Firefox holds on .parentlock, released when the
// object goes. The lock is taken on an open file description of its own, so it counts as another
// holder's to every other descriptor, this process's included.
class HeldLock {
 public:
  explicit HeldLock(const std::string& path) : fd_(open(path.c_str(), O_RDWR | O_CREAT, 0644)) {
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    EXPECT_EQ(fcntl(fd_, F_OFD_SETLK, &lock), 0);
  }
  HeldLock(const HeldLock&) = delete;
  HeldLock& operator=(const HeldLock&) = delete;
  ~HeldLock() { close(fd_); }

 private:
  int fd_;
};

// A lock link is what Firefox 153 ESR makes on Linux ("127.0.0.1:+<pid>"), beside an fcntl lock on
// .parentlock; a killed browser leaves the link and loses the fcntl lock.
TEST(BrowserLocksTest, AFirefoxProfileIsInUseWhileALiveProcessHoldsItsLock) {
  const pid_t ended = test::EndedProcess();
  const struct {
    const char* name;
    std::string link;  // empty: no link
    bool inUse;
  } cases[] = {
      {"a link naming this process", test::FirefoxLockTarget(getpid()), true},
      {"a link naming another user's process", "127.0.0.1:+1", true},
      {"a link of another address", "192.0.2.7:+" + std::to_string(getpid()), true},
      {"a link naming an ended process", test::FirefoxLockTarget(ended), false},
      {"no link", "", false},
      {"a link without a process", "127.0.0.1:+", false},
      {"a link naming process 0", "127.0.0.1:+0", false},
      {"a link naming a process group", "127.0.0.1:+-1", false},
      {"a link with more after the number", test::FirefoxLockTarget(getpid()) + "x", false},
      {"a link in another form", std::to_string(getpid()), false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder profile;
    if (!c.link.empty()) {
      fs::create_symlink(c.link, profile / "lock");
    }
    test::WriteFileBytes(profile / ".parentlock", "");
    EXPECT_EQ(FirefoxProfileInUse(profile.Path().string()), c.inUse);
  }
}

TEST(BrowserLocksTest, AFirefoxProfileIsInUseWhileAnotherHoldsAnFcntlLockOnParentlock) {
  TempFolder profile;
  fs::create_symlink(test::FirefoxLockTarget(test::EndedProcess()), profile / "lock");
  test::WriteFileBytes(profile / ".parentlock", "");
  EXPECT_FALSE(FirefoxProfileInUse(profile.Path().string()));
  {
    const HeldLock held(profile / ".parentlock");
    EXPECT_TRUE(FirefoxProfileInUse(profile.Path().string()));
  }
  EXPECT_FALSE(FirefoxProfileInUse(profile.Path().string()));
}

// A profile that is not there or cannot be looked into is no profile in use, and never a wait.
TEST(BrowserLocksTest, AMissingOrStrangeProfileIsNotInUse) {
  TempFolder folder;
  fs::create_symlink("loop", folder / "loop");
  fs::create_directory(folder / "pipe-lock");
  ASSERT_EQ(mkfifo((folder / "pipe-lock/.parentlock").c_str(), 0600), 0);
  fs::create_directory(folder / "folder-lock");
  fs::create_directory(folder / "folder-lock/.parentlock");
  fs::create_directory(folder / "folder-lock/lock");
  for (const std::string name : {"missing", "loop", "pipe-lock", "folder-lock"}) {
    SCOPED_TRACE(name);
    EXPECT_FALSE(FirefoxProfileInUse(folder / name));
    EXPECT_FALSE(ChromiumUserDataInUse(folder / name));
  }
}

// Chromium names its host and process ("<host>-<pid>") and counts a lock of another host as that
// host's browser.
TEST(BrowserLocksTest, AChromiumUserDataFolderIsInUseWhileALiveProcessOfThisHostHoldsIt) {
  const std::string thisHost = test::ChromiumLockTarget(getpid());
  const std::string host = thisHost.substr(0, thisHost.rfind('-'));
  const struct {
    const char* name;
    std::string link;
    bool inUse;
  } cases[] = {
      {"this host and this process", thisHost, true},
      {"this host and another user's process", host + "-1", true},
      {"this host and an ended process", test::ChromiumLockTarget(test::EndedProcess()), false},
      {"another host", "x" + thisHost, false},
      {"no host", "-" + std::to_string(getpid()), false},
      {"no process", host + "-", false},
      {"no separator", host, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder userData;
    fs::create_symlink(c.link, userData / "SingletonLock");
    EXPECT_EQ(ChromiumUserDataInUse(userData.Path().string()), c.inUse);
  }
}

}  // namespace
}  // namespace lintavo
