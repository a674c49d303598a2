#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/HomePageCommand.h"
#include "os/Failure.h"
#include "support/RegistryValues.h"
#include "support/ScopedFileSizeLimit.h"
#include "support/TestEnvironment.h"
#include "support/UserRegistryHive.h"
#include "support/gui/ScriptedMessages.h"

namespace lintavo::test {
namespace {

using ::testing::ThrowsMessage;

constexpr const char* kRootFolder = "/home/someone/Documents/My Home Pages";
constexpr int kPosition = 3;  // page 4
constexpr const char* kPagePath = "/home/someone/Documents/My Home Pages/my home page 4.htm";

constexpr const char* kConfirmation =
    "Click OK to set the selected personal home page as your browser's default home page.\n\r"
    "If blocked by your anti-virus software, you will need to set manually by first viewing\n\r"
    "the personal home page and then setting as your home page via your browser's options";

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
  EXPECT_EQ(messages_.Messages()[0].text, kConfirmation);
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
  EXPECT_EQ(messages_.Messages().size(), 1u) << "a successful run ends without a message";

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

// Clearing the lockdown creates its key, and with it the browser's "Main" key above it, so on an
// empty registry the start page is written; the lockdown had no value to give back and stays 0.
TEST_F(HomePageCommandTest, OnAnEmptyRegistryOnlyTheNewTabsFail) {
  EXPECT_THAT([this] { Run(); },
              ThrowsMessage<Failure>("Failed to set data for 'UseHomepageForNewTab'"));

  EXPECT_EQ(StartPage(), kPagePath);
  EXPECT_EQ(Lockdown(), 0u);
}

TEST_F(HomePageCommandTest, ARefusedStartPageEndsTheCommandWithTheLockdownStillOff) {
  hive_.Write(kLockdownOn + kMain + kTabbedBrowsing);
  {
    // Clearing the lockdown keeps the hive's size; adding the start page would grow it.
    ScopedFileSizeLimit fullDisk(hive_.Size());
    EXPECT_THAT([this] { Run(); }, ThrowsMessage<Failure>("Failed to set data for 'Start Page'"));
  }
  EXPECT_EQ(Lockdown(), 0u);
  EXPECT_EQ(StartPage(), "about:blank");
  EXPECT_EQ(NewTabsShowHomePage(), std::nullopt);
}

TEST_F(HomePageCommandTest, AMissingMainKeyFailsTheStartPageAndWritesNothing) {
  {
    // No key can be created, so the lockdown step is passed over and "Main" stays missing.
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
