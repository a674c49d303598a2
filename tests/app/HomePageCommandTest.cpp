#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "app/HomePageCommand.h"
#include "base/Failure.h"
#include "os/PlatformWording.h"
#include "support/BrowserSessions.h"
#include "support/RegistryValues.h"
#include "support/ScopedFileSizeLimit.h"
#include "support/TestEnvironment.h"
#include "support/UserRegistryHive.h"
#include "support/gui/ScriptedMessages.h"

namespace lintavo::test {
namespace {

using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::ThrowsMessage;

constexpr const char* kRootFolder = "/home/someone/Documents/My Home Pages";
constexpr int kPosition = 3;  // page 4
constexpr const char* kPagePath = "/home/someone/Documents/My Home Pages/my home page 4.htm";

// What the person is told when no browser was found to take the page.
const std::string kNoBrowser =
    std::string(
        "No browser was found to give the page to. To make it your home page, open it in "
        "your browser and choose it as the home page in the browser's settings. The page "
        "is the file\n\n") +
    kPagePath;

const std::string kLockdownOn = SectionOf(kLockdownKey) + "\"iexplore.exe\"=dword:00000001\n";
const std::string kMain = SectionOf(kMainKey) + "\"Start Page\"=\"about:blank\"\n";
const std::string kTabbedBrowsing = SectionOf(kTabbedBrowsingKey);

class HomePageCommandTest : public ::testing::Test {
 protected:
  void Run(int position = kPosition) {
    SetSelectedPageAsHomePage(position, kRootFolder, messages_);
  }

  static std::optional<std::string> StartPage() {
    return TextOf(UserRegistryHive::Read(kMainKey, "Start Page"));
  }
  static std::optional<std::uint32_t> Lockdown() {
    return NumberOf(UserRegistryHive::Read(kLockdownKey, "iexplore.exe"));
  }
  static std::optional<std::uint32_t> NewTabsShowHomePage() {
    return NumberOf(UserRegistryHive::Read(kTabbedBrowsingKey, "UseHomepageForNewTab"));
  }

  IsolatedHome home_;
  UserRegistryHive hive_{home_};
  ScriptedMessages messages_;
};

TEST_F(HomePageCommandTest, AsksFirstAndCancelChangesNothing) {
  hive_.Write(kLockdownOn + kMain + kTabbedBrowsing);
  const std::string before = hive_.Text();
  messages_.Answer(kMessageResultCancel);

  Run();

  ASSERT_EQ(messages_.Messages().size(), 1u);
  // The question of the platform: on Linux it speaks of the browsers it sets, as a whole sentence.
  const std::string question = messages_.Messages()[0].text;
  EXPECT_EQ(question, os::Wording().homePageConfirmation);
  EXPECT_THAT(question, HasSubstr("Firefox"));
  EXPECT_THAT(question, Not(HasSubstr("anti-virus")));
  EXPECT_THAT(question, EndsWith("."));
  EXPECT_EQ(messages_.Messages()[0].kind, MessageKind::Information);
  EXPECT_EQ(messages_.Messages()[0].buttons, MessageButtons::OkCancel);
  EXPECT_EQ(hive_.Text(), before);
}

TEST_F(HomePageCommandTest, SetsTheStartPageAndNewTabsAndGivesTheLockdownBack) {
  hive_.Write(kLockdownOn + kMain + kTabbedBrowsing);

  Run();

  EXPECT_EQ(StartPage(), kPagePath);
  EXPECT_EQ(NewTabsShowHomePage(), 1u);
  EXPECT_EQ(Lockdown(), 1u);
  ASSERT_EQ(messages_.Messages().size(), 2u);
  EXPECT_EQ(messages_.Messages()[1].text, kNoBrowser) << "this home has no browser";

  // A second run writes the same data again; nothing piles up.
  const std::string afterFirstRun = hive_.Text();
  Run();
  EXPECT_EQ(hive_.Text(), afterFirstRun);
}

TEST_F(HomePageCommandTest, WithoutTabbedBrowsingTheStartPageIsSetBeforeTheNewTabsFail) {
  hive_.Write(kLockdownOn + kMain);

  EXPECT_THAT([this] { Run(); },
              ThrowsMessage<Failure>("Failed to set data for 'UseHomepageForNewTab'"));

  EXPECT_EQ(StartPage(), kPagePath);
  EXPECT_EQ(Lockdown(), 1u);
  EXPECT_FALSE(UserRegistryHive::HasKey(kTabbedBrowsingKey)) << "the key is never created";
}

// A new account's registry holds the keys a browser installation creates, so the command runs
// through; the lockdown had no value to give back and stays 0. With no browser to take the page,
// the person is told where it is, to set it themselves.
TEST_F(HomePageCommandTest, OnANewAccountWithoutBrowsersThePersonIsToldWhereThePageIs) {
  ASSERT_FALSE(hive_.Exists());

  Run();

  EXPECT_EQ(StartPage(), kPagePath);
  EXPECT_EQ(NewTabsShowHomePage(), 1u);
  EXPECT_EQ(Lockdown(), 0u);
  ASSERT_EQ(messages_.Messages().size(), 2u);
  EXPECT_EQ(messages_.Messages()[1].text, kNoBrowser);
  EXPECT_EQ(messages_.Messages()[1].kind, MessageKind::Information);
  EXPECT_EQ(messages_.Messages()[1].buttons, MessageButtons::Ok);
}

// The browsers' profiles are changed only after the registry holds the page.
TEST_F(HomePageCommandTest, ARefusedStartPageEndsTheCommandWithTheLockdownStillOff) {
  hive_.Write(kLockdownOn + kMain + kTabbedBrowsing);
  const std::string prefs =
      AddFirefoxProfileFolder(home_.Home() + "/.mozilla/firefox", "p.default") + "/prefs.js";
  WriteFileBytes(prefs, "user_pref(\"x\", 1);\n");
  {
    // Clearing the lockdown keeps the hive's size; adding the start page would grow it.
    ScopedFileSizeLimit fullDisk(hive_.Size());
    EXPECT_THAT([this] { Run(); }, ThrowsMessage<Failure>("Failed to set data for 'Start Page'"));
  }
  EXPECT_EQ(Lockdown(), 0u);
  EXPECT_EQ(StartPage(), "about:blank");
  EXPECT_EQ(NewTabsShowHomePage(), std::nullopt);
  EXPECT_EQ(ReadFileBytes(prefs), "user_pref(\"x\", 1);\n");
}

TEST_F(HomePageCommandTest, WhenNoRegistryCanBeStoredTheStartPageFailsAndNothingIsWritten) {
  {
    // No key can be created, so the lockdown step is passed over and the start page not stored.
    ScopedFileSizeLimit fullDisk(0);
    EXPECT_THAT([this] { Run(); }, ThrowsMessage<Failure>("Failed to set data for 'Start Page'"));
  }
  EXPECT_FALSE(hive_.Exists());
}

TEST_F(HomePageCommandTest, ALockdownValueOfAnotherTypeStopsTheCommandBeforeAnyWrite) {
  for (const char* storedValue :
       {"\"iexplore.exe\"=\"1\"\n", "\"iexplore.exe\"=hex:01,00,00,00\n"}) {
    SCOPED_TRACE(storedValue);
    hive_.Write(SectionOf(kLockdownKey) + storedValue + kMain + kTabbedBrowsing);
    const std::string before = hive_.Text();

    EXPECT_THAT([this] { Run(); }, ThrowsMessage<Failure>("Invalid data type for 'iexplore.exe'"));
    EXPECT_EQ(hive_.Text(), before);
  }
}

// Browsers that keep their own settings (on Linux) get the page too. One information box after the
// run names those that have it now, then those that could not take it, with what to do.
TEST_F(HomePageCommandTest, TheBrowsersThatTookThePageAndThoseThatCouldNotAreNamedAfterTheRun) {
  const std::string config = home_.ConfigHome();
  const std::string firefox = home_.Home() + "/.mozilla/firefox";
  const std::string kRunningOne =
      "Please close Chromium and press \"Set selected page as your browser's home page\" again. "
      "It keeps its own home page while it runs.";
  const std::string kRunningTwo =
      "Please close Chromium and Google Chrome and press \"Set selected page as your browser's "
      "home page\" again. They keep their own home page while they run.";
  const std::string kFailedOne =
      "The page could not be made the home page of Firefox: its settings could not be read or "
      "written, and were left as they were.";
  const std::string kFailedTwo =
      "The page could not be made the home page of Firefox, Brave and Vivaldi: their settings "
      "could not be read or written, and were left as they were.";
  const std::string kOwnHomePageOne =
      "Firefox profile \"default-esr\" sets its home page in user.js, which Firefox reads at "
      "every start; Lintavo left it as it is.";
  const std::string kTookChromium = "The page is now the home page of Chromium.";
  const std::string kFirefoxAtNextStart =
      "Firefox is open now and makes the page its home page when it next starts.";
  const std::string kOwnHomePageTwo =
      "Firefox profiles \"default-esr\" and \"work\" set their home page in user.js, which "
      "Firefox reads at every start; Lintavo left them as they are.";

  struct Case {
    const char* name;
    std::function<void()> arrange;
    std::string message;
  };
  const auto chromiumProfile = [&](const std::string& browser, const std::string& preferences) {
    WriteFileBytes(config + "/" + browser + "/Default/Preferences", preferences);
  };
  const auto running = [&](const std::string& browser) {
    chromiumProfile(browser, "{}");
    LockChromiumUserData(config + "/" + browser, getpid());
  };
  const auto damagedFirefox = [&] {
    WriteFileBytes(AddFirefoxProfileFolder(firefox, "p") + "/prefs.js", "user_pref(\n");
  };
  const auto runningFirefox = [&](const std::string& profile) {
    LockFirefoxProfile(AddFirefoxProfileFolder(firefox, profile), getpid());
  };
  // A hardening template's user.js, which sets a home page of its own.
  const auto ownHomePage = [&](const std::string& profile) {
    WriteFileBytes(AddFirefoxProfileFolder(firefox, profile) + "/user.js",
                   "user_pref(\"browser.startup.page\", 0);\n"
                   "user_pref(\"browser.startup.homepage\", \"about:blank\");\n");
  };
  const Case cases[] = {
      {"one browser took it", [&] { chromiumProfile("chromium", "{}"); }, kTookChromium},
      {"two took it",
       [&] {
         AddFirefoxProfileFolder(firefox, "p");
         chromiumProfile("chromium", "{}");
       },
       "The page is now the home page of Firefox and Chromium."},
      {"Firefox runs: it takes it up at its next start", [&] { runningFirefox("p"); },
       kFirefoxAtNextStart},
      {"one Firefox profile open, one closed: named for its next start alone",
       [&] {
         runningFirefox("open");
         AddFirefoxProfileFolder(firefox, "closed");
         chromiumProfile("chromium", "{}");
       },
       kTookChromium + " " + kFirefoxAtNextStart},
      {"one took it, one failed",
       [&] {
         chromiumProfile("chromium", "{}");
         damagedFirefox();
       },
       kTookChromium + "\n\n" + kFailedOne},
      {"one runs", [&] { running("chromium"); }, kRunningOne},
      {"two run",
       [&] {
         running("chromium");
         running("google-chrome");
       },
       kRunningTwo},
      {"one failed", damagedFirefox, kFailedOne},
      {"some run, some failed",
       [&] {
         running("chromium");
         damagedFirefox();
         chromiumProfile("BraveSoftware/Brave-Browser", "[]");
         chromiumProfile("vivaldi", "not json");
       },
       kRunningOne + "\n\n" + kFailedTwo},
      {"a Firefox profile sets its own home page", [&] { ownHomePage("default-esr"); },
       kOwnHomePageOne},
      {"two do, one runs, one failed",
       [&] {
         ownHomePage("default-esr");
         ownHomePage("work");
         running("chromium");
         damagedFirefox();
       },
       kRunningOne + "\n\n" + kOwnHomePageTwo + "\n\n" + kFailedOne},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove_all(home_.Home());
    std::filesystem::create_directories(config);
    c.arrange();
    ScriptedMessages messages;

    SetSelectedPageAsHomePage(kPosition, kRootFolder, messages);

    EXPECT_EQ(StartPage(), kPagePath);
    EXPECT_EQ(NewTabsShowHomePage(), 1u);
    ASSERT_EQ(messages.Messages().size(), 2u);
    EXPECT_EQ(messages.Messages()[1].text, c.message);
    EXPECT_EQ(messages.Messages()[1].kind, MessageKind::Information);
    EXPECT_EQ(messages.Messages()[1].buttons, MessageButtons::Ok);
  }
}

// A pages folder whose path holds a control character has no address a browser can open: the
// registry takes the path, the browsers are left alone, and the person is told why.
TEST_F(HomePageCommandTest, APagesFolderNoAddressCanCarryIsReported) {
  const std::string prefsJs = "user_pref(\"browser.startup.homepage\", \"about:home\");\n";
  const std::string profile = AddFirefoxProfileFolder(home_.Home() + "/.mozilla/firefox", "p");
  WriteFileBytes(profile + "/prefs.js", prefsJs);
  const std::string rootFolder = "/home/someone/Documents/My\tHome Pages";

  SetSelectedPageAsHomePage(kPosition, rootFolder, messages_);

  EXPECT_EQ(StartPage(), rootFolder + "/my home page 4.htm");
  ASSERT_EQ(messages_.Messages().size(), 2u);
  EXPECT_EQ(messages_.Messages()[1].text,
            "The path of the page's folder holds a character that a browser's address cannot "
            "carry (a tab or another control character), so no browser was changed.");
  EXPECT_EQ(messages_.Messages()[1].buttons, MessageButtons::Ok);
  EXPECT_EQ(ReadFileBytes(profile + "/prefs.js"), prefsJs);
}

TEST_F(HomePageCommandTest, WithNoPageSelectedTheUserIsToldAndNothingIsWritten) {
  for (const int position : {-1, 10}) {
    SCOPED_TRACE(position);
    ScriptedMessages messages;
    SetSelectedPageAsHomePage(position, kRootFolder, messages);

    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(messages.Messages()[0].text, "Please select a page first.");
    EXPECT_EQ(messages.Messages()[0].buttons, MessageButtons::Ok);
  }
  EXPECT_FALSE(hive_.Exists());
}

}  // namespace
}  // namespace lintavo::test
