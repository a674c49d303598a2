#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "browsers/BrowserHomePages.h"
#include "support/BrowserSessions.h"
#include "support/TestEnvironment.h"

// Setting the home page in the browsers makes the page the home page of every browser profile of
// the user, and tells what could not be set.

namespace lintavo::browsers {
namespace {

namespace fs = std::filesystem;
using test::ReadFileBytes;
using test::WriteFileBytes;
using testing::ElementsAre;
using testing::HasSubstr;
using testing::IsEmpty;
using testing::Not;

constexpr const char* kPage = "/home/ann/My Home Pages/my home page 1.htm";
constexpr const char* kUrl = "file:///home/ann/My%20Home%20Pages/my%20home%20page%201.htm";
const std::string kHomeLine =
    std::string("user_pref(\"browser.startup.homepage\", \"") + kUrl + "\");";

class BrowserHomePagesTest : public testing::Test {
 protected:
  std::string FirefoxRoot() const { return home_.Home() + "/.mozilla/firefox"; }
  std::string AddFirefoxProfile(const std::string& root, const std::string& name) const {
    const std::string profile = test::AddFirefoxProfileFolder(root, name);
    WriteFileBytes(profile + "/prefs.js", "user_pref(\"x\", 1);\n");
    return profile;
  }
  std::string AddChromiumProfile(const std::string& browserFolder, const std::string& name) const {
    const std::string profile = home_.ConfigHome() + "/" + browserFolder + "/" + name;
    WriteFileBytes(profile + "/Preferences", R"({"homepage":"https://example.org/"})");
    return profile;
  }

  test::IsolatedHome home_;
};

TEST(HomePageUrlTest, PathsBecomeFileUrlsAndUrlsStay) {
  struct Case {
    std::string value;
    std::optional<std::string> url;
  };
  const Case cases[] = {
      {kPage, kUrl},
      {"/p/caf\xC3\xA9 #1?%.htm", "file:///p/caf%C3%A9%20%231%3F%25.htm"},
      {"/p/a|b\"<>\\^`{}[].htm", "file:///p/a%7Cb%22%3C%3E%5C%5E%60%7B%7D%5B%5D.htm"},
      {"/p/-._~!$&'()*+,;=:@", "file:///p/-._~!$&'()*+,;=:@"},
      {"https://example.org/a b", "https://example.org/a b"},
      {"about:blank", "about:blank"},
      {"file:///already/a%20url.htm", "file:///already/a%20url.htm"},
      {"C:\\Pages\\my home page 1.htm", std::nullopt},
      {"relative/page.htm", std::nullopt},
      {"", std::nullopt},
      {"/p/line\nbreak.htm", std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(HomePageUrl(c.value), c.url) << c.value;
  }
}

TEST_F(BrowserHomePagesTest, TheStartPageReachesEveryProfileOfEveryBrowser) {
  // Firefox keeps its profiles in four places, each with its own profiles.ini.
  std::vector<std::string> firefoxProfiles;
  for (const std::string& root :
       {FirefoxRoot(), home_.ConfigHome() + "/mozilla/firefox",
        home_.Home() + "/snap/firefox/common/.mozilla/firefox",
        home_.Home() + "/.var/app/org.mozilla.firefox/.mozilla/firefox"}) {
    firefoxProfiles.push_back(AddFirefoxProfile(root, "p.default"));
  }
  firefoxProfiles.push_back(AddFirefoxProfile(FirefoxRoot(), "second"));
  const std::vector<std::string> chromiumProfiles = {
      AddChromiumProfile("chromium", "Default"),
      AddChromiumProfile("chromium", "Profile 1"),
      AddChromiumProfile("google-chrome", "Default"),
      AddChromiumProfile("BraveSoftware/Brave-Browser", "Default"),
      AddChromiumProfile("microsoft-edge", "Default"),
      AddChromiumProfile("vivaldi", "Default")};
  // Not the person's profiles: the browser's own, which start afresh.
  const std::string guest = AddChromiumProfile("chromium", "Guest Profile");

  const BrowserHomePageReport report = SetHomePageInBrowsers(kPage);

  for (const std::string& profile : firefoxProfiles) {
    EXPECT_EQ(ReadFileBytes(profile + "/prefs.js"),
              "user_pref(\"x\", 1);\n" + kHomeLine + "\nuser_pref(\"browser.startup.page\", 1);\n")
        << profile;
  }
  for (const std::string& profile : chromiumProfiles) {
    EXPECT_THAT(ReadFileBytes(profile + "/Preferences"),
                HasSubstr(std::string(R"("homepage":")") + kUrl + "\""))
        << profile;
  }
  EXPECT_EQ(ReadFileBytes(guest + "/Preferences"), R"({"homepage":"https://example.org/"})");
  // Each browser is named once, however many profiles it has.
  EXPECT_THAT(report.set, ElementsAre("Firefox", "Chromium", "Google Chrome", "Brave",
                                      "Microsoft Edge", "Vivaldi"));
  EXPECT_TRUE(report.gaps.Empty());
}

// profiles.ini may name a folder that does not exist, or an absolute path that is not one; those
// are passed over without a report, and nothing is made there.
TEST_F(BrowserHomePagesTest, ProfilesThatAreNotThereArePassedOverSilently) {
  const std::string profile = AddFirefoxProfile(FirefoxRoot(), "p.default");
  WriteFileBytes(FirefoxRoot() + "/profiles.ini",
                 ReadFileBytes(FirefoxRoot() + "/profiles.ini") +
                     "\n[Profile1]\nName=gone\nIsRelative=1\nPath=gone.default\n"
                     "\n[Profile2]\nName=relative\nIsRelative=0\nPath=relative.default\n"
                     "\n[Profile3]\nName=nowhere\nIsRelative=0\nPath=/nonexistent/lintavo\n");
  fs::create_directories(home_.Home() + "/relative.default");

  const BrowserHomePageReport report = SetHomePageInBrowsers(kPage);

  EXPECT_THAT(ReadFileBytes(profile + "/prefs.js"), HasSubstr(kHomeLine));
  EXPECT_FALSE(fs::exists(FirefoxRoot() + "/gone.default"));
  EXPECT_FALSE(fs::exists(FirefoxRoot() + "/relative.default"));
  EXPECT_TRUE(test::FolderContent(home_.Home() + "/relative.default").empty());
  EXPECT_TRUE(report.gaps.Empty());
}

TEST_F(BrowserHomePagesTest, RunningChromiumBrowsersAndFilesThatCannotBeSetAreReported) {
  const std::string chromium = AddChromiumProfile("chromium", "Default");
  const std::string chrome = AddChromiumProfile("google-chrome", "Default");
  const std::string vivaldi = AddChromiumProfile("vivaldi", "Default");
  test::LockChromiumUserData(home_.ConfigHome() + "/chromium", getpid());
  test::LockChromiumUserData(home_.ConfigHome() + "/google-chrome", getpid());
  WriteFileBytes(vivaldi + "/Preferences", "not json");
  // A crashed browser's lock names a process that is gone: that browser does not run.
  const std::string brave = AddChromiumProfile("BraveSoftware/Brave-Browser", "Default");
  test::LockChromiumUserData(home_.ConfigHome() + "/BraveSoftware/Brave-Browser",
                             test::EndedProcess());
  // Two Firefox profiles that cannot be set make one name.
  for (const char* name : {"a", "b"}) {
    WriteFileBytes(AddFirefoxProfile(FirefoxRoot(), name) + "/prefs.js", "user_pref(\n");
  }

  const BrowserHomePageReport report = SetHomePageInBrowsers(kPage);

  const BrowserHomePageGaps gaps = report.gaps;
  EXPECT_THAT(report.set, ElementsAre("Brave"));
  EXPECT_THAT(gaps.running, ElementsAre("Chromium", "Google Chrome"));
  EXPECT_THAT(gaps.failed, ElementsAre("Firefox", "Vivaldi"));
  EXPECT_EQ(ReadFileBytes(chromium + "/Preferences"), R"({"homepage":"https://example.org/"})");
  EXPECT_EQ(ReadFileBytes(chrome + "/Preferences"), R"({"homepage":"https://example.org/"})");
  EXPECT_EQ(ReadFileBytes(vivaldi + "/Preferences"), "not json");
  EXPECT_THAT(ReadFileBytes(brave + "/Preferences"), HasSubstr(kUrl));

  // Each write reports its own gaps: with the browsers closed and the files mended, none.
  fs::remove(home_.ConfigHome() + "/chromium/SingletonLock");
  fs::remove_all(home_.ConfigHome() + "/google-chrome");
  fs::remove_all(home_.ConfigHome() + "/vivaldi");
  fs::remove_all(FirefoxRoot());
  const BrowserHomePageReport again = SetHomePageInBrowsers(kPage);
  EXPECT_TRUE(again.gaps.Empty());
  EXPECT_THAT(ReadFileBytes(chromium + "/Preferences"), HasSubstr(kUrl));
}

// A Firefox profile whose own user.js sets the home page is named by the name the person knows
// it by; the others still get the page.
TEST_F(BrowserHomePagesTest, FirefoxProfilesThatSetTheirOwnHomePageAreNamed) {
  const std::string pinnedUserJs = "user_pref(\"browser.startup.homepage\", \"about:blank\");\n";
  const std::string set = AddFirefoxProfile(FirefoxRoot(), "set");
  const std::string pinned = AddFirefoxProfile(FirefoxRoot(), "pinned");
  WriteFileBytes(pinned + "/user.js", pinnedUserJs);
  // Listed without a name: it goes by its folder.
  const std::string unnamed = FirefoxRoot() + "/ab12.unnamed";
  WriteFileBytes(unnamed + "/user.js", pinnedUserJs);
  WriteFileBytes(FirefoxRoot() + "/profiles.ini",
                 ReadFileBytes(FirefoxRoot() + "/profiles.ini") +
                     "\n[Profile9]\nIsRelative=1\nPath=ab12.unnamed\n");

  const BrowserHomePageReport report = SetHomePageInBrowsers(kPage);

  const BrowserHomePageGaps gaps = report.gaps;
  EXPECT_THAT(gaps.firefoxProfilesWithOwnHomePage, ElementsAre("pinned", "ab12.unnamed"));
  EXPECT_THAT(gaps.failed, IsEmpty());
  EXPECT_THAT(ReadFileBytes(set + "/prefs.js"), HasSubstr(kHomeLine));
  EXPECT_EQ(ReadFileBytes(pinned + "/prefs.js"), "user_pref(\"x\", 1);\n");
  EXPECT_EQ(ReadFileBytes(pinned + "/user.js"), pinnedUserJs);
}

// A path no address can carry reaches no browser, and that is said.
TEST_F(BrowserHomePagesTest, APageWithoutAnAddressReachesNoBrowserAndIsReported) {
  const std::string profile = AddFirefoxProfile(FirefoxRoot(), "p.default");
  const std::string chromium = AddChromiumProfile("chromium", "Default");

  const BrowserHomePageReport report =
      SetHomePageInBrowsers("/home/ann/My\tPages/my home page 1.htm");

  EXPECT_TRUE(report.gaps.pageWithoutAddress);
  EXPECT_FALSE(report.gaps.Empty());
  EXPECT_EQ(ReadFileBytes(profile + "/prefs.js"), "user_pref(\"x\", 1);\n");
  EXPECT_EQ(ReadFileBytes(chromium + "/Preferences"), R"({"homepage":"https://example.org/"})");

  const BrowserHomePageReport again = SetHomePageInBrowsers(kPage);
  EXPECT_TRUE(again.gaps.Empty());
}

// A later start of the program takes the user.js lines out of profiles whose Firefox has taken
// the page up, and only those.
TEST_F(BrowserHomePagesTest, SettlingTakesOutTheBlocksFirefoxNoLongerNeeds) {
  const std::string taken = AddFirefoxProfile(FirefoxRoot(), "taken");
  const std::string waiting = AddFirefoxProfile(home_.ConfigHome() + "/mozilla/firefox", "waiting");
  for (const std::string& profile : {taken, waiting}) {
    WriteFileBytes(profile + "/user.js", "user_pref(\"mine\", 1);\n");
    test::LockFirefoxProfile(profile, getpid());
  }
  // A third profile, which no Firefox holds, is set at once; Firefox is named as the one that
  // takes the page up at its next start all the same.
  const std::string closed = AddFirefoxProfile(FirefoxRoot(), "closed");
  const BrowserHomePageReport report = SetHomePageInBrowsers(kPage);
  EXPECT_TRUE(report.gaps.Empty());
  EXPECT_THAT(report.setAtNextStart, ElementsAre("Firefox"));
  EXPECT_THAT(report.set, IsEmpty());
  EXPECT_THAT(ReadFileBytes(closed + "/prefs.js"), HasSubstr(kHomeLine));
  for (const std::string& profile : {taken, waiting}) {
    EXPECT_THAT(ReadFileBytes(profile + "/user.js"), HasSubstr(kHomeLine));
    EXPECT_THAT(ReadFileBytes(profile + "/prefs.js"), Not(HasSubstr(kHomeLine)));
  }
  // One Firefox restarted and wrote the page into its prefs.js; the other did not.
  WriteFileBytes(taken + "/prefs.js", kHomeLine + "\n");

  SettleBrowserHomePages();

  EXPECT_EQ(ReadFileBytes(taken + "/user.js"), "user_pref(\"mine\", 1);\n");
  EXPECT_THAT(ReadFileBytes(waiting + "/user.js"), HasSubstr(kHomeLine));
}

TEST_F(BrowserHomePagesTest, NothingToSetWithoutBrowsers) {
  const BrowserHomePageReport report = SetHomePageInBrowsers(kPage);
  EXPECT_THAT(report.set, IsEmpty());
  EXPECT_THAT(report.gaps.running, IsEmpty());
  EXPECT_THAT(report.gaps.failed, IsEmpty());
  SettleBrowserHomePages();
  EXPECT_FALSE(fs::exists(FirefoxRoot()));
}

}  // namespace
}  // namespace lintavo::browsers
