#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "browsers/BrowserHomePages.h"
#include "browsers/ShellWindows.h"
#include "browsers/chromium/ChromiumProfiles.h"
#include "os/posix/ProgramSearch.h"
#include "pages/BrowserChanges.h"
#include "support/BrowserSessions.h"
#include "support/DescribedWindows.h"
#include "support/ProcessGroup.h"
#include "support/RealBrowsers.h"
#include "support/ScopedVariable.h"
#include "support/TestEnvironment.h"
#include "support/VirtualDisplay.h"

// The home-page command's writes on a new account (SetBrowserHomePage, as the command
// makes them) reach real browsers: started afterwards with no address, each opens the page, or
// its previous session where it restores that at start, as the session file it writes shows (read
// through the shell's window list, browsers/ShellWindows.h).

namespace lintavo {
namespace {

namespace fs = std::filesystem;
using test::Described;
using test::ProcessGroup;
using testing::Contains;
using testing::ElementsAre;
using testing::HasSubstr;
using testing::IsEmpty;
using testing::Not;

// How long a browser may take to start, write its session or end: seconds on an idle machine.
constexpr auto kBound = std::chrono::seconds(60);

// The URL the browsers show for the page: its path percent-encoded.
std::string PageUrl(const std::string& path) {
  std::string url = "file://";
  for (const char c : path) {
    url += c == ' ' ? std::string("%20") : std::string(1, c);
  }
  return url;
}

// What the window list shows once it lists `url`, or when the wait is over or the browser ended.
std::vector<std::string> ListingWith(const std::string& url, ProcessGroup& browser) {
  const auto giveUp = std::chrono::steady_clock::now() + kBound;
  std::vector<std::string> listed;
  while (std::chrono::steady_clock::now() < giveUp && browser.Running()) {
    listed = Described(browsers::ShellWindows::Snapshot());
    if (std::find(listed.begin(), listed.end(), url) != listed.end()) {
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
  }
  return listed;
}

class HomePageInBrowsersTest : public test::RealBrowserTest {
 protected:
  void SetUp() override {
    // The page where the program puts it, in a folder whose name needs percent-encoding.
    page_ = home_.Home() + "/Documents/My Home Pages/my home page 1.htm";
    test::WriteFileBytes(page_, "<!DOCTYPE html><title>Home page 1</title><p>Home page 1</p>\n");
  }

  // The chromium program, with a virtual display of the test's own that $DISPLAY names (Chromium
  // writes no session in headless mode); nothing when chromium or Xvfb is not installed.
  std::optional<std::string> ChromiumOnVirtualDisplay() {
    const std::optional<std::string> chromium = os::posix::FindProgramOnPath("chromium");
    if (!chromium || !os::posix::FindProgramOnPath("Xvfb")) {
      return std::nullopt;
    }
    display_.emplace(logs_.Path().string());
    onDisplay_.emplace("DISPLAY", display_->Name().c_str());
    return chromium;
  }

  std::string page_;
  std::optional<test::VirtualDisplay> display_;
  std::optional<test::ScopedVariable> onDisplay_;
};

constexpr const char* kNoChromium =
    "chromium or Xvfb is not installed (scripts/install-dependencies.sh installs them)";

// Firefox ESR, set while it does not run (prefs.js) and while it runs (a user.js block that the
// next start takes up, and that a later settling removes once Firefox has written the page into
// its prefs.js).
TEST_F(HomePageInBrowsersTest, FirefoxEsrOpensThePageAtItsNextStart) {
  const std::optional<std::string> firefox = os::posix::FindProgramOnPath("firefox-esr");
  if (!firefox) {
    GTEST_SKIP() << "firefox-esr is not installed (scripts/install-dependencies.sh installs it)";
  }
  const std::string profile =
      test::AddFirefoxProfileFolder(home_.Home() + "/.mozilla/firefox", "test.default");
  // Firefox ends at once when asked to (SIGTERM), as after a crash; it would then restore its
  // session at the next start, in place of the home page.
  const std::string userJs = std::string(test::kQuietFirefoxUserJs) +
                             "user_pref(\"browser.sessionstore.resume_from_crash\", false);\n";
  test::WriteFileBytes(profile + "/user.js", userJs);
  const test::ScopedVariable noCrashReports("MOZ_CRASHREPORTER_DISABLE", "1");
  const std::vector<std::string> noAddress = {"--headless", "--profile", profile, "--no-remote"};
  const std::string url = PageUrl(page_);

  const browsers::BrowserHomePageReport report =
      SetBrowserHomePage(page_);  // a new account: runs through without a failure
  EXPECT_THAT(report.set, ElementsAre("Firefox"));
  EXPECT_TRUE(report.gaps.Empty());
  EXPECT_THAT(test::ReadFileBytes(profile + "/prefs.js"), HasSubstr(url));
  {
    ProcessGroup browser(*firefox, noAddress, logs_ / "firefox-1.log");
    ASSERT_TRUE(browser.Started());
    EXPECT_THAT(ListingWith(url, browser), Contains(url)) << Log("firefox-1.log");

    // Set again while it runs, to another page: Firefox writes prefs.js over from memory, so the
    // page goes into user.js.
    const std::string other = home_.Home() + "/Documents/My Home Pages/my home page 2.htm";
    test::WriteFileBytes(other, "<!DOCTYPE html><title>Home page 2</title>\n");
    const browsers::BrowserHomePageReport again = SetBrowserHomePage(other);
    EXPECT_THAT(again.set, IsEmpty());
    EXPECT_THAT(again.setAtNextStart, ElementsAre("Firefox"));
    EXPECT_TRUE(again.gaps.Empty());
    EXPECT_THAT(test::ReadFileBytes(profile + "/user.js"), HasSubstr(PageUrl(other)));
    ASSERT_TRUE(browser.Quit(kBound)) << "Firefox did not end when asked";
    page_ = other;
  }
  const std::string otherUrl = PageUrl(page_);
  EXPECT_THAT(test::ReadFileBytes(profile + "/prefs.js"), Not(HasSubstr(otherUrl)))
      << "the Firefox that ran never took the page up";
  browsers::SettleBrowserHomePages();
  EXPECT_THAT(test::ReadFileBytes(profile + "/user.js"), HasSubstr(otherUrl))
      << "the block stays until a Firefox has taken the page up";
  {
    ProcessGroup browser(*firefox, noAddress, logs_ / "firefox-2.log");
    ASSERT_TRUE(browser.Started());
    EXPECT_THAT(ListingWith(otherUrl, browser), Contains(otherUrl)) << Log("firefox-2.log");
    // Firefox writes the preferences it took from user.js into prefs.js soon after its start.
    const auto giveUp = std::chrono::steady_clock::now() + kBound;
    while (std::chrono::steady_clock::now() < giveUp &&
           test::ReadFileBytes(profile + "/prefs.js").find(otherUrl) == std::string::npos) {
      std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    ASSERT_TRUE(browser.Quit(kBound)) << "Firefox did not end when asked";
  }
  EXPECT_THAT(test::ReadFileBytes(profile + "/prefs.js"), HasSubstr(otherUrl));
  browsers::SettleBrowserHomePages();
  EXPECT_EQ(test::ReadFileBytes(profile + "/user.js"), userJs);
}

// A Firefox ESR profile that restores its previous session at start keeps doing so once the page
// is set: the tab of its last session comes back at the next start, and the page becomes its home
// page, the person's own kept in the record.
TEST_F(HomePageInBrowsersTest, FirefoxEsrThatRestoresItsSessionKeepsDoingSo) {
  const std::optional<std::string> firefox = os::posix::FindProgramOnPath("firefox-esr");
  if (!firefox) {
    GTEST_SKIP() << "firefox-esr is not installed (scripts/install-dependencies.sh installs it)";
  }
  const std::string profile =
      test::AddFirefoxProfileFolder(home_.Home() + "/.mozilla/firefox", "test.default");
  test::WriteFileBytes(profile + "/user.js", test::kQuietFirefoxUserJs);
  test::WriteFileBytes(profile + "/prefs.js",
                       "user_pref(\"browser.startup.homepage\", "
                       "\"https://mail.example/|https://news.example/\");\n"
                       "user_pref(\"browser.startup.page\", 3);\n");
  // The session Firefox saved as it last ended, with one tab.
  const std::string restored = home_.Home() + "/Documents/restored tab.htm";
  test::WriteFileBytes(restored, "<!DOCTYPE html><title>Restored</title><p>Restored</p>\n");
  const std::string restoredUrl = PageUrl(restored);
  test::WriteFileBytes(
      profile + "/sessionstore.jsonlz4",
      test::MozLz4File(R"({"version":["sessionrestore",1],"windows":[{"tabs":[{"entries":[)"
                       R"({"url":")" +
                       restoredUrl +
                       R"(","title":"Restored","triggeringPrincipal_base64":"{\"3\":{}}"}],)"
                       R"("index":1}],"selected":1,"_closedTabs":[]}],"selectedWindow":1,)"
                       R"("_closedWindows":[],"session":{"state":"stop"}})"));
  const test::ScopedVariable noCrashReports("MOZ_CRASHREPORTER_DISABLE", "1");
  const std::string url = PageUrl(page_);

  const browsers::BrowserHomePageReport report = SetBrowserHomePage(page_);
  EXPECT_TRUE(report.gaps.Empty());
  const std::string prefs = test::ReadFileBytes(profile + "/prefs.js");
  EXPECT_THAT(prefs, HasSubstr("user_pref(\"browser.startup.page\", 3);"));
  EXPECT_THAT(prefs, HasSubstr(url));
  EXPECT_THAT(test::ReadFileBytes(profile + "/lintavo-home-page.json"),
              HasSubstr("mail.example/|https://news.example/"));

  ProcessGroup browser(*firefox, {"--headless", "--profile", profile, "--no-remote"},
                       logs_ / "firefox.log");
  ASSERT_TRUE(browser.Started());
  const std::vector<std::string> listed = ListingWith(restoredUrl, browser);
  EXPECT_THAT(listed, Contains(restoredUrl)) << Log("firefox.log");
  EXPECT_THAT(listed, Not(Contains(url))) << "the home page opened in place of the session";
  ASSERT_TRUE(browser.Quit(kBound)) << "Firefox did not end when asked";
}

// Chromium: while it runs it is named and left alone; closed, it takes the page.
TEST_F(HomePageInBrowsersTest, ChromiumOpensThePageOnceSetWhileItIsClosed) {
  const std::optional<std::string> chromium = ChromiumOnVirtualDisplay();
  if (!chromium) {
    GTEST_SKIP() << kNoChromium;
  }
  ASSERT_TRUE(display_->Ready()) << Log("xvfb.log");
  const std::string userData = home_.ConfigHome() + "/chromium";
  const std::vector<std::string> arguments = test::QuietChromiumArguments(userData);
  const std::string preferences = userData + "/Default/Preferences";
  const std::string url = PageUrl(page_);

  {
    // Its first start makes the profile.
    ProcessGroup browser(*chromium, arguments, logs_ / "chromium-1.log");
    ASSERT_TRUE(browser.Started());
    const auto giveUp = std::chrono::steady_clock::now() + kBound;
    while (std::chrono::steady_clock::now() < giveUp && browser.Running() &&
           !fs::exists(preferences)) {
      std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    ASSERT_TRUE(fs::exists(preferences)) << Log("chromium-1.log");

    const browsers::BrowserHomePageReport report = SetBrowserHomePage(page_);
    EXPECT_THAT(report.gaps.running, ElementsAre("Chromium"));
    EXPECT_THAT(report.set, IsEmpty());
    EXPECT_THAT(test::ReadFileBytes(preferences), Not(HasSubstr(url)));
    ASSERT_TRUE(browser.Quit(kBound)) << "Chromium did not end when asked";
  }

  const browsers::BrowserHomePageReport again = SetBrowserHomePage(page_);
  EXPECT_THAT(again.set, ElementsAre("Chromium"));
  EXPECT_TRUE(again.gaps.Empty());
  EXPECT_THAT(test::ReadFileBytes(preferences), HasSubstr(url));
  {
    ProcessGroup browser(*chromium, arguments, logs_ / "chromium-2.log");
    ASSERT_TRUE(browser.Started());
    EXPECT_THAT(ListingWith(url, browser), Contains(url)) << Log("chromium-2.log");
    ASSERT_TRUE(browser.Quit(kBound)) << "Chromium did not end when asked";
  }
  EXPECT_THAT(test::ReadFileBytes(preferences), HasSubstr(url)) << "kept as the browser ended";
}

// Chromium that continues where it left off keeps doing so once the page is set: the tab it had
// open as it ended comes back at its next start, and the page becomes its home page.
TEST_F(HomePageInBrowsersTest, ChromiumThatContinuesWhereItLeftOffKeepsDoingSo) {
  const std::optional<std::string> chromium = ChromiumOnVirtualDisplay();
  if (!chromium) {
    GTEST_SKIP() << kNoChromium;
  }
  ASSERT_TRUE(display_->Ready()) << Log("xvfb.log");
  const std::string userData = home_.ConfigHome() + "/chromium";
  const std::string preferences = userData + "/Default/Preferences";
  test::WriteFileBytes(preferences, R"({"session":{"restore_on_startup":1}})");
  const std::string restored = home_.Home() + "/Documents/restored tab.htm";
  test::WriteFileBytes(restored, "<!DOCTYPE html><title>Restored</title><p>Restored</p>\n");
  const std::string restoredUrl = PageUrl(restored);
  const std::string url = PageUrl(page_);

  std::vector<std::string> arguments = test::QuietChromiumArguments(userData);
  {
    // The tab the person had open as Chromium last ended.
    arguments.push_back(restoredUrl);
    ProcessGroup browser(*chromium, arguments, logs_ / "chromium-1.log");
    arguments.pop_back();
    ASSERT_TRUE(browser.Started());
    EXPECT_THAT(ListingWith(restoredUrl, browser), Contains(restoredUrl)) << Log("chromium-1.log");
    ASSERT_TRUE(browser.Quit(kBound)) << "Chromium did not end when asked";
  }

  const browsers::BrowserHomePageReport report = SetBrowserHomePage(page_);
  EXPECT_TRUE(report.gaps.Empty());
  EXPECT_THAT(test::ReadFileBytes(preferences), HasSubstr(R"("restore_on_startup":1)"));
  EXPECT_THAT(test::ReadFileBytes(preferences), HasSubstr(R"("homepage":")" + url + "\""));
  {
    // The window list reads the newest session file, which is the last start's until this start
    // writes its own: only that one shows what this start opened.
    const std::string lastSession = browsers::NewestSessionFile(userData + "/Default");
    ProcessGroup browser(*chromium, arguments, logs_ / "chromium-2.log");
    ASSERT_TRUE(browser.Started());
    const auto giveUp = std::chrono::steady_clock::now() + kBound;
    while (std::chrono::steady_clock::now() < giveUp && browser.Running() &&
           browsers::NewestSessionFile(userData + "/Default") == lastSession) {
      std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    ASSERT_NE(browsers::NewestSessionFile(userData + "/Default"), lastSession)
        << Log("chromium-2.log");
    const std::vector<std::string> listed = ListingWith(restoredUrl, browser);
    EXPECT_THAT(listed, Contains(restoredUrl)) << Log("chromium-2.log");
    EXPECT_THAT(listed, Not(Contains(url))) << "the page opened in place of the session";
    ASSERT_TRUE(browser.Quit(kBound)) << "Chromium did not end when asked";
  }
}

}  // namespace
}  // namespace lintavo
