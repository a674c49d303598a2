#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QDialog>
#include <QPushButton>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "support/gui/DesignedLayout.h"
#include "support/gui/MainWindowFixture.h"
#include "support/gui/Mnemonics.h"

// The main window and the dialogs it opens (other than the page editors) for the keyboard alone.

namespace lintavo::test {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

class WindowKeysTest : public MainWindowFixture {
 protected:
  // A main window over pages with their backgrounds, so that every dialog opens without a word.
  TfrmMain& StartWithPages() {
    PutTemplate();
    PutJpeg("template.jpg", 40, 30);
    return Start();
  }
};

// The buttons of `window` that Enter presses when the focus is on none of them.
std::vector<std::string> DefaultButtons(const QWidget& window) {
  std::vector<std::string> defaults;
  for (const QPushButton* button : window.findChildren<QPushButton*>()) {
    if (button->isDefault()) {
      defaults.push_back(button->objectName().toStdString());
    }
  }
  return defaults;
}

// Each caption has an Alt+letter of its own, Tab goes through the controls as they stand (top to
// bottom, left to right), and no button is a default one: none of these windows has one by
// design, and Enter presses the focused button.
TEST_F(WindowKeysTest, EachWindowHasItsOwnLettersAndTabFollowsTheLayout) {
  TfrmMain& mainWindow = StartWithPages();
  const MainWindowDialogs dialogs = InstalledDialogs();
  struct Case {
    const char* window;
    std::unique_ptr<QDialog> dialog;  // none: the main window
    const char* first;
    std::vector<std::string> tabChain;
  };
  Case cases[] = {
      {"main window",
       nullptr,
       "cbxWebPages",
       {"cbxWebPages", "btnEditLinks", "btnEditBackground", "btnView", "btnSetHomePage",
        "bsSkinButton2", "bsSkinButton1", "editAbout", "btnHelp", "btnClose"}},
      {"about box", dialogs.about(mainWindow), "lblWebsite", {"lblWebsite", "editAbout"}},
      // No "Stop ActiveX warning" on Linux.
      {"options",
       dialogs.options(mainWindow),
       "btnQuickLaunch",
       {"btnQuickLaunch", "btnDesktop", "btnOk"}},
      // The preview is no control and no Tab stop.
      {"background",
       dialogs.background(mainWindow),
       "bsSkinButton1",
       {"bsSkinButton1", "bsSkinButton2", "edtChangeBg", "btnReset", "bsSkinButton3"}},
  };
  for (Case& c : cases) {
    SCOPED_TRACE(c.window);
    QWidget& window = c.dialog ? *c.dialog : static_cast<QWidget&>(mainWindow);
    window.show();
    EXPECT_THAT(MnemonicProblems(window), IsEmpty());
    EXPECT_THAT(TabChain(window, c.first), ElementsAreArray(c.tabChain));
    EXPECT_THAT(DefaultButtons(window), IsEmpty());
  }
}

TEST_F(WindowKeysTest, EnterAndSpacePressTheFocusedButtonOfTheMainWindow) {
  Start();
  QPushButton& options = Button("bsSkinButton1");
  for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) {
    SCOPED_TRACE(key);
    options.setFocus();
    QTest::keyClick(&options, key, key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
  }
  EXPECT_THAT(modals_.Shown(), ElementsAre("lintavo::TfrmQuickAccess", "lintavo::TfrmQuickAccess",
                                           "lintavo::TfrmQuickAccess"));
}

// Enter in a dialog presses the focused button too, not another one: here the options dialog
// stays open and says what its command did.
TEST_F(WindowKeysTest, EnterPressesTheFocusedButtonOfADialog) {
  TfrmMain& mainWindow = Start();
  const std::unique_ptr<QDialog> options = InstalledDialogs().options(mainWindow);
  options->show();
  auto* desktop = options->findChild<QPushButton*>("btnDesktop");
  ASSERT_NE(desktop, nullptr);
  desktop->setFocus();

  QTest::keyClick(desktop, Qt::Key_Return);

  ASSERT_EQ(messages_.Messages().size(), 1U);
  EXPECT_EQ(messages_.Messages()[0].text, "Shortcut added.");
  EXPECT_TRUE(options->isVisible());
}

// Alt and a caption's letter work as a click on its button, or move to the control its label
// names.
TEST_F(WindowKeysTest, AltAndALetterReachTheirControlInTheMainWindow) {
  TfrmMain& window = Start();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  Button("btnClose").setFocus();

  QTest::keyClick(&window, Qt::Key_P, Qt::AltModifier);
  EXPECT_TRUE(PageList().hasFocus());

  QTest::keyClick(&window, Qt::Key_O, Qt::AltModifier);
  QTRY_COMPARE(modals_.Shown().size(), 1U);
  EXPECT_EQ(modals_.Shown()[0], "lintavo::TfrmQuickAccess");
}

}  // namespace
}  // namespace lintavo::test
