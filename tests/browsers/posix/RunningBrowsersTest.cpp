#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <charconv>
#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "browsers/ShellWindows.h"
#include "os/posix/ProgramSearch.h"
#include "support/BrowserSessions.h"
#include "support/DescribedWindows.h"
#include "support/ProcessGroup.h"
#include "support/RealBrowsers.h"
#include "support/ScopedVariable.h"
#include "support/TestEnvironment.h"
#include "support/VirtualDisplay.h"

// Real browsers, started as a user starts them, in the test's own home: while they run, the
// snapshot lists the pages they show, read from the session files they write. Then each is killed
// as a crash would end it, which leaves its lock behind, naming a process that is gone.

namespace lintavo {
namespace {

namespace fs = std::filesystem;
using browsers::ShellWindows;
using test::Described;
using test::ProcessGroup;
using testing::ElementsAre;
using testing::IsSupersetOf;

// How long a browser may take to start and write its session: a few seconds on an idle machine.
constexpr auto kSessionBound = std::chrono::seconds(60);
constexpr auto kPoll = std::chrono::milliseconds(200);

bool Within(std::chrono::steady_clock::time_point giveUp) {
  return std::chrono::steady_clock::now() < giveUp;
}

// What the snapshot lists once it shows every page of `pages`, or when the wait is over or the
// browser has ended.
std::vector<std::string> ListingWith(const std::vector<std::string>& pages, ProcessGroup& browser) {
  const auto giveUp = std::chrono::steady_clock::now() + kSessionBound;
  std::vector<std::string> listed;
  while (Within(giveUp) && browser.Running()) {
    listed = Described(ShellWindows::Snapshot());
    if (testing::Value(listed, IsSupersetOf(pages))) {
      break;
    }
    std::this_thread::sleep_for(kPoll);
  }
  return listed;
}

// The process a browser's lock link names after `separator`.
std::optional<pid_t> LockHolder(const std::string& link, char separator) {
  std::error_code error;
  const std::string target = fs::read_symlink(link, error).string();
  const std::size_t at = target.rfind(separator);
  pid_t pid = 0;
  if (error || at == std::string::npos ||
      std::from_chars(target.data() + at + 1, target.data() + target.size(), pid).ec !=
          std::errc()) {
    return std::nullopt;
  }
  return pid;
}

// Kills the browser that holds the lock, as a crash would end it, and waits (bounded) until it is
// gone and collected, so that no process of that id is left.
void KillLockHolder(const std::string& link, char separator, ProcessGroup& browser) {
  const std::optional<pid_t> holder = LockHolder(link, separator);
  ASSERT_TRUE(holder.has_value()) << "no lock at " << link;
  ASSERT_EQ(kill(*holder, SIGKILL), 0);
  const auto giveUp = std::chrono::steady_clock::now() + kSessionBound;
  while (Within(giveUp) && (browser.Running() || kill(*holder, 0) == 0)) {
    std::this_thread::sleep_for(kPoll);
  }
}

class RunningBrowsersTest : public test::RealBrowserTest {
 protected:
  void SetUp() override {
    for (const char* name : {"one.html", "two.html"}) {
      test::WriteFileBytes(pages_ / name, std::string("<!DOCTYPE html><title>") + name +
                                              "</title><p>" + name + "</p>\n");
      pageUrls_.push_back("file://" + (pages_ / name));
    }
  }

  test::TempFolder pages_;
  std::vector<std::string> pageUrls_;
};

TEST_F(RunningBrowsersTest, ListsThePagesFirefoxEsrShows) {
  const std::optional<std::string> firefox = os::posix::FindProgramOnPath("firefox-esr");
  if (!firefox) {
    GTEST_SKIP() << "firefox-esr is not installed (scripts/install-dependencies.sh installs it)";
  }
  // The profile is found the way the program finds it, through ~/.mozilla/firefox/profiles.ini.
  // Its preferences skip the first-run pages and have the session written every second.
  const std::string root = home_.Home() + "/.mozilla/firefox";
  const std::string profile = root + "/test.default";
  test::WriteFileBytes(root + "/profiles.ini",
                       "[Profile0]\nName=test\nIsRelative=1\nPath=test.default\nDefault=1\n\n"
                       "[General]\nStartWithLastProfile=1\nVersion=2\n");
  test::WriteFileBytes(profile + "/user.js", test::kQuietFirefoxUserJs);
  const test::ScopedVariable noCrashReports("MOZ_CRASHREPORTER_DISABLE", "1");
  ProcessGroup browser(
      *firefox, {"--headless", "--profile", profile, "--no-remote", pageUrls_[0], pageUrls_[1]},
      logs_ / "firefox.log");
  ASSERT_TRUE(browser.Started());

  EXPECT_THAT(ListingWith(pageUrls_, browser), IsSupersetOf(pageUrls_)) << Log("firefox.log");

  KillLockHolder(profile + "/lock", '+', browser);
  EXPECT_TRUE(fs::is_symlink(profile + "/lock"));
  EXPECT_THAT(Described(ShellWindows::Snapshot()), ElementsAre());
}

// Chromium writes no session in headless mode, so it runs on a virtual display.
TEST_F(RunningBrowsersTest, ListsThePagesChromiumShows) {
  const std::optional<std::string> chromium = os::posix::FindProgramOnPath("chromium");
  if (!chromium || !os::posix::FindProgramOnPath("Xvfb")) {
    GTEST_SKIP() << "chromium or Xvfb is not installed (scripts/install-dependencies.sh installs "
                    "them)";
  }
  const test::VirtualDisplay display(logs_.Path().string());
  ASSERT_TRUE(display.Ready()) << Log("xvfb.log");
  const test::ScopedVariable onDisplay("DISPLAY", display.Name().c_str());
  const std::string userData = home_.ConfigHome() + "/chromium";
  std::vector<std::string> arguments = test::QuietChromiumArguments(userData);
  arguments.insert(arguments.end(), {pageUrls_[0], pageUrls_[1]});
  ProcessGroup browser(*chromium, arguments, logs_ / "chromium.log");
  ASSERT_TRUE(browser.Started());

  EXPECT_THAT(ListingWith(pageUrls_, browser), IsSupersetOf(pageUrls_)) << Log("chromium.log");

  KillLockHolder(userData + "/SingletonLock", '-', browser);
  EXPECT_TRUE(fs::is_symlink(userData + "/SingletonLock"));
  EXPECT_THAT(Described(ShellWindows::Snapshot()), ElementsAre());
}

}  // namespace
}  // namespace lintavo
