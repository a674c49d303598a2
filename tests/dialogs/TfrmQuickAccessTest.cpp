#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "base/Failure.h"
#include "dialogs/TfrmQuickAccess.h"
#include "os/Paths.h"
#include "support/RegistryValues.h"
#include "support/ScopedFileSizeLimit.h"
#include "support/TestEnvironment.h"
#include "support/UserRegistryHive.h"
#include "support/gui/CaptionFit.h"
#include "support/gui/DesignedLayout.h"
#include "support/gui/ScriptedMessages.h"

namespace lintavo::test {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

constexpr const char* kStopActiveXConfirmation =
    "The Internet Explorer will sometimes display a warning that it has restricted \r\n"
    "the home page from running scripts or activeX controls. This typically only happens \r\n"
    "if you have visited a web page that has special security settings, which is rare for\r\n"
    "most users. \r\n"
    "\r\n"
    "Clicking OK on this option will turn on the IE option \"Allow active content to run in "
    "files \r\n"
    "on My Computer\". Some anti-virus products may block this action. In which case, you will "
    "\r\n"
    "need to do the change manually.";

constexpr const char* kStopActiveXDone =
    "The change has been made. You will need to close all Internet Explorer windows for the "
    "change \r\n"
    "to take effect. If the warning continue, manually change the setting \"Allow active content "
    "to run\r\n"
    "in files on My Computer\" to on under Tools, Internet Options";

class TfrmQuickAccessTest : public ::testing::Test {
 protected:
  void SetUp() override { dialog_.show(); }

  QPushButton& Button(const char* name) {
    auto* button = dialog_.findChild<QPushButton*>(name);
    EXPECT_NE(button, nullptr) << name;
    return *button;
  }
  void Click(const char* name) { QTest::mouseClick(&Button(name), Qt::LeftButton); }

  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const auto& shown : messages_.Messages()) {
      texts.push_back(shown.text);
    }
    return texts;
  }
  static std::optional<std::uint32_t> Lockdown() {
    return NumberOf(UserRegistryHive::Read(kLockdownKey, "iexplore.exe"));
  }

  IsolatedHome home_;
  UserRegistryHive hive_{home_};
  ScriptedMessages messages_;
  TfrmQuickAccess dialog_{messages_};
};

// On Linux no browser has the active-content warning: its button is not there, and OK and the
// bottom edge move up by its row.
TEST_F(TfrmQuickAccessTest, KeepsItsDesignedLayoutWithoutTheActiveXRow) {
  EXPECT_EQ(dialog_.windowTitle(), "Options");
  EXPECT_EQ(dialog_.size(), QSize(218, 144 - 35));
  EXPECT_EQ(dialog_.minimumSize(), dialog_.maximumSize()) << "the size is fixed";
  const Qt::WindowFlags flags = dialog_.windowFlags();
  EXPECT_TRUE(flags.testFlag(Qt::WindowTitleHint));
  EXPECT_FALSE(flags & (Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint |
                        Qt::WindowContextHelpButtonHint))
      << "no title-bar buttons";
  // In the middle of the screen, give or take the frame the platform draws around it.
  const QPoint offCentre = dialog_.frameGeometry().center() -
                           QGuiApplication::primaryScreen()->availableGeometry().center();
  EXPECT_LE(std::abs(offCentre.x()), 4);
  EXPECT_LE(std::abs(offCentre.y()), 4);

  ExpectDesignedControls(
      dialog_, {
                   {"btnQuickLaunch", "Add to the applications &menu", {11, 9, 194, 20}, true},
                   {"btnDesktop", "Add a shortcut to the &Desktop", {11, 43, 194, 20}, true},
                   {"btnOk", "&OK", {65, 109 - 35, 81, 20}, false},
               });
  EXPECT_EQ(dialog_.findChild<QPushButton*>("btnStopActiveX"), nullptr);
  EXPECT_THAT(CaptionsThatDoNotFit(dialog_), IsEmpty());
}

TEST_F(TfrmQuickAccessTest, ShortcutButtonsWriteOneLinkEachTimeAndSaySo) {
  struct Case {
    const char* button;
    std::string folder;
  };
  for (const Case& shortcut : {Case{"btnQuickLaunch", home_.DataHome() + "/applications"},
                               Case{"btnDesktop", home_.Home() + "/Desktop"}}) {
    SCOPED_TRACE(shortcut.button);
    ScriptedMessages messages;
    TfrmQuickAccess dialog(messages);
    dialog.show();
    auto* button = dialog.findChild<QPushButton*>(shortcut.button);
    ASSERT_NE(button, nullptr);

    QTest::mouseClick(button, Qt::LeftButton);
    QTest::mouseClick(button, Qt::LeftButton);

    std::vector<std::string> links;
    for (const auto& entry : fs::directory_iterator(shortcut.folder)) {
      links.push_back(entry.path().filename().string());
    }
    EXPECT_THAT(links, ElementsAre("Lintavo.desktop"));
    EXPECT_THAT(ReadFileBytes(shortcut.folder + "/Lintavo.desktop"),
                HasSubstr("Exec=\"" + os::ProgramPath() + "\"\n"));
    ASSERT_EQ(messages.Messages().size(), 2u);
    for (const auto& shown : messages.Messages()) {
      EXPECT_EQ(shown.text, "Shortcut added.");
      EXPECT_EQ(shown.kind, MessageKind::Information);
      EXPECT_EQ(shown.buttons, MessageButtons::Ok);
    }
    EXPECT_TRUE(dialog.isVisible());
  }
}

TEST_F(TfrmQuickAccessTest, AShortcutThatCannotBeWrittenIsNotReportedAsAdded) {
  WriteFileBytes(home_.Home() + "/Desktop", "a file where the desktop folder should be");

  Click("btnDesktop");

  EXPECT_THAT(Texts(), ElementsAre("The shortcut could not be created."));
  EXPECT_TRUE(dialog_.isVisible());
}

// The command behind "Stop ActiveX warning", which a Windows build offers.
TEST_F(TfrmQuickAccessTest, StopActiveXSwitchesTheLockdownOffAfterConfirmationEveryTime) {
  dialog_.btnStopActiveXClick();
  EXPECT_EQ(Lockdown(), 0u);
  dialog_.btnStopActiveXClick();  // already 0: written again and reported again
  EXPECT_EQ(Lockdown(), 0u);

  EXPECT_THAT(Texts(), ElementsAre(kStopActiveXConfirmation, kStopActiveXDone,
                                   kStopActiveXConfirmation, kStopActiveXDone));
  const auto& shown = messages_.Messages();
  EXPECT_EQ(shown[0].kind, MessageKind::Information);
  EXPECT_EQ(shown[0].buttons, MessageButtons::OkCancel);
  EXPECT_EQ(shown[1].kind, MessageKind::Information);
  EXPECT_EQ(shown[1].buttons, MessageButtons::Ok);
  EXPECT_TRUE(dialog_.isVisible());
}

TEST_F(TfrmQuickAccessTest, CancelledStopActiveXLeavesTheRegistryAlone) {
  messages_.Answer(kMessageResultCancel);

  dialog_.btnStopActiveXClick();

  EXPECT_THAT(Texts(), ElementsAre(kStopActiveXConfirmation));
  EXPECT_FALSE(hive_.Exists());
}

TEST_F(TfrmQuickAccessTest, ARefusedLockdownWriteFailsWithoutTheSuccessMessage) {
  hive_.Write(SectionOf(kLockdownKey) + "\"iexplore.exe\"=dword:00000001\n");
  {
    // The key exists, so only the write needs room, and it finds none.
    ScopedFileSizeLimit fullDisk(hive_.Size() - 1);
    EXPECT_THAT([this] { dialog_.btnStopActiveXClick(); },
                ::testing::ThrowsMessage<Failure>("Failed to set data for 'iexplore.exe'"));
  }
  EXPECT_EQ(Lockdown(), 1u);
  EXPECT_THAT(Texts(), ElementsAre(kStopActiveXConfirmation));
  EXPECT_TRUE(dialog_.isVisible());
}

TEST_F(TfrmQuickAccessTest, ALockdownKeyThatCannotBeCreatedEndsSilently) {
  {
    ScopedFileSizeLimit fullDisk(0);
    dialog_.btnStopActiveXClick();
  }
  EXPECT_THAT(Texts(), ElementsAre(kStopActiveXConfirmation));
  EXPECT_FALSE(hive_.Exists());
}

TEST_F(TfrmQuickAccessTest, OkClosesTheDialog) {
  Click("btnOk");

  EXPECT_FALSE(dialog_.isVisible());
  EXPECT_EQ(dialog_.result(), QDialog::Accepted);
}

}  // namespace
}  // namespace lintavo::test
