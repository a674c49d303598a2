#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QDialog>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "support/gui/MainWindowFixture.h"

// The main window and the dialogs it opens (other than the page editors) for the keyboard alone.

namespace lintavo::test {
namespace {

using ::testing::ElementsAre;

class WindowKeysTest : public MainWindowFixture {};

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

}  // namespace
}  // namespace lintavo::test
