#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "skin/ModalDialogs.h"
#include "skin/SkinMessageBox.h"
#include "support/gui/Mnemonics.h"

namespace lintavo::test {
namespace {

using ::testing::IsEmpty;

// What a shown message box looked like when its stand-in answered it.
struct SeenBox {
  QString caption;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QString text;
  std::vector<QMessageBox::StandardButton> buttons;
  QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
  std::vector<std::string> mnemonicProblems;
};

// Shows one message through SkinMessageBox; `act` works the box as a person would (a key or a
// click). Returns the service's result and fills `seen`.
int ShowMessage(const std::string& text, MessageKind kind, MessageButtons buttons,
                const std::function<void(QMessageBox&)>& act, SeenBox& seen) {
  const ScopedModalStandIn standIn([&](QDialog& dialog) {
    auto& box = dynamic_cast<QMessageBox&>(dialog);
    box.show();
    seen.caption = box.windowTitle();
    seen.icon = box.icon();
    seen.text = box.text();
    for (QAbstractButton* button : box.buttons()) {
      seen.buttons.push_back(box.standardButton(button));
    }
    seen.defaultButton = box.standardButton(box.defaultButton());
    seen.mnemonicProblems = MnemonicProblems(box);
    act(box);
    return box.result();
  });
  SkinMessageBox messages;
  return messages.MessageDlg(text, kind, buttons);
}

void PressKey(QMessageBox& box, Qt::Key key) {
  QTest::keyClick(&box, key);
}

struct BoxCase {
  MessageKind kind;
  MessageButtons buttons;
  const char* caption;
  QMessageBox::Icon icon;
  std::vector<QMessageBox::StandardButton> shownButtons;
  QMessageBox::StandardButton defaultButton;  // the one Enter presses
  int enterResult;
  int escapeResult;
};

void PrintTo(const BoxCase& value, std::ostream* out) {
  *out << value.caption << (value.buttons == MessageButtons::Ok ? ", OK" : ", OK and Cancel")
       << (value.defaultButton == QMessageBox::Cancel ? ", Cancel the default" : "");
}

class SkinMessageBoxLookTest : public ::testing::TestWithParam<BoxCase> {};

TEST_P(SkinMessageBoxLookTest, CaptionIconButtonsAndKeys) {
  const BoxCase& expected = GetParam();
  SeenBox seen;
  const int returnResult = ShowMessage(
      "Text", expected.kind, expected.buttons,
      [](QMessageBox& box) { PressKey(box, Qt::Key_Return); }, seen);
  EXPECT_EQ(seen.caption.toStdString(), expected.caption);
  EXPECT_EQ(seen.icon, expected.icon);
  EXPECT_EQ(seen.buttons.size(), expected.shownButtons.size());
  for (QMessageBox::StandardButton button : expected.shownButtons) {
    EXPECT_NE(std::find(seen.buttons.begin(), seen.buttons.end(), button), seen.buttons.end());
  }
  EXPECT_EQ(seen.defaultButton, expected.defaultButton);
  EXPECT_THAT(seen.mnemonicProblems, IsEmpty());
  EXPECT_EQ(returnResult, expected.enterResult);

  SeenBox ignored;
  EXPECT_EQ(ShowMessage(
                "Text", expected.kind, expected.buttons,
                [](QMessageBox& box) { PressKey(box, Qt::Key_Escape); }, ignored),
            expected.escapeResult);
}

INSTANTIATE_TEST_SUITE_P(KindsAndButtons, SkinMessageBoxLookTest,
                         ::testing::Values(BoxCase{MessageKind::Information,
                                                   MessageButtons::Ok,
                                                   "Information",
                                                   QMessageBox::Information,
                                                   {QMessageBox::Ok},
                                                   QMessageBox::Ok,
                                                   kMessageResultOk,
                                                   kMessageResultOk},
                                           BoxCase{MessageKind::Information,
                                                   MessageButtons::OkCancel,
                                                   "Information",
                                                   QMessageBox::Information,
                                                   {QMessageBox::Ok, QMessageBox::Cancel},
                                                   QMessageBox::Ok,
                                                   kMessageResultOk,
                                                   kMessageResultCancel},
                                           BoxCase{MessageKind::Confirmation,
                                                   MessageButtons::OkCancel,
                                                   "Confirm",
                                                   QMessageBox::Question,
                                                   {QMessageBox::Ok, QMessageBox::Cancel},
                                                   QMessageBox::Ok,
                                                   kMessageResultOk,
                                                   kMessageResultCancel},
                                           BoxCase{MessageKind::Confirmation,
                                                   MessageButtons::OkCancelDefaultCancel,
                                                   "Confirm",
                                                   QMessageBox::Question,
                                                   {QMessageBox::Ok, QMessageBox::Cancel},
                                                   QMessageBox::Cancel,
                                                   kMessageResultCancel,
                                                   kMessageResultCancel}));

TEST(SkinMessageBoxTest, ClickedButtonDecidesAndClosingOtherwiseIsCancel) {
  SeenBox seen;
  EXPECT_EQ(ShowMessage(
                "Text", MessageKind::Confirmation, MessageButtons::OkCancel,
                [](QMessageBox& box) { box.button(QMessageBox::Cancel)->click(); }, seen),
            kMessageResultCancel);
  EXPECT_EQ(ShowMessage(
                "Text", MessageKind::Confirmation, MessageButtons::OkCancel,
                [](QMessageBox& box) { box.button(QMessageBox::Ok)->click(); }, seen),
            kMessageResultOk);
  EXPECT_EQ(ShowMessage(
                "Text", MessageKind::Confirmation, MessageButtons::OkCancel,
                [](QMessageBox& box) { box.close(); }, seen),
            kMessageResultCancel);
}

TEST(SkinMessageBoxTest, LineBreaksOfEveryKindShowAsLinesAndMarkupStaysText) {
  SeenBox seen;
  ShowMessage(
      "one\n\rtwo\r\nthree\rfour\nfive <b>bold</b>", MessageKind::Information, MessageButtons::Ok,
      [](QMessageBox& box) { PressKey(box, Qt::Key_Return); }, seen);
  EXPECT_EQ(seen.text.toStdString(), "one\ntwo\nthree\nfour\nfive <b>bold</b>");
}

}  // namespace
}  // namespace lintavo::test
