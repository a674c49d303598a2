#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "dialogs/TfrmEditLink.h"
#include "os/PlatformWording.h"
#include "skin/ModalDialogs.h"
#include "support/gui/CaptionFit.h"
#include "support/gui/DesignedLayout.h"
#include "support/gui/KeyPresses.h"
#include "support/gui/Mnemonics.h"
#include "support/gui/ScriptedFileDialogs.h"
#include "support/gui/ScriptedMessages.h"
#include "support/gui/ScriptedModals.h"

namespace lintavo::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

class TfrmEditLinkTest : public ::testing::Test {
 protected:
  explicit TfrmEditLinkTest(std::vector<std::optional<browsers::ShellWindows::Window>> windows = {})
      : editor_(messages_, [this] { return browsers::ShellWindows(windows_); }) {
    windows_ = std::move(windows);
    editor_.show();
  }

  QLineEdit& Box(const char* name) { return *editor_.findChild<QLineEdit*>(name); }
  QPushButton& Button(const char* name) { return *editor_.findChild<QPushButton*>(name); }
  // Runs `act`; the result the editor closed with, or -1 while it stays open.
  int Closing(const std::function<void()>& act) { return ClosingResult(editor_, act); }
  // Clicks a button; the result as Closing gives it.
  int Click(const char* name) {
    return Closing([&] { QTest::mouseClick(&Button(name), Qt::LeftButton); });
  }
  // Presses a key where the focus is; the result as Closing gives it.
  int Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    return Closing([&] { PressKey(key, modifiers); });
  }
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const auto& shown : messages_.Messages()) {
      texts.push_back(shown.text);
    }
    return texts;
  }

  std::vector<std::optional<browsers::ShellWindows::Window>> windows_;
  ScriptedMessages messages_;
  ScriptedModals modals_;
  ScriptedFileDialogs fileDialogs_;
  TfrmEditLink editor_;
};

// A refusal leaves the focus in the box it is about.
TEST_F(TfrmEditLinkTest, SaveChecksItsRulesInOrderAndKeepsTheTextsAsTyped) {
  constexpr const char* kPrefixRule =
      "The link must begin with either file://, http://, https://, ftp:// or ftps://";
  const struct {
    const char* line1;
    const char* line2;
    const char* target;
    const char* refusal;  // nullptr: saved
    const char* box;      // refused: the box with the focus; saved: nullptr
  } cases[] = {
      {"", "", "", "A short description is required.", "edtLine1"},
      {"  ", "\t", "http://x", "A short description is required.", "edtLine1"},
      {"Mail", "", "", "A target url is required.", "edtTarget"},
      {"", "Box", "   ", "A target url is required.", "edtTarget"},
      {"Mail", "", "  HTTP://X  ", nullptr, nullptr},
      {"", "Box", "https://mail.example/", nullptr, nullptr},
      {"a", "b", "ftps://files.example", nullptr, nullptr},
      {"a", "b", "ftp://files.example", nullptr, nullptr},
      {"a", "b", "File:///home/ann/page.html", nullptr, nullptr},
      {"a", "b", "mail.example", kPrefixRule, "edtTarget"},
      {"a", "b", "mailto:ann@mail.example", kPrefixRule, "edtTarget"},
      {"a", "b", "wwwexample.org", kPrefixRule, "edtTarget"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.line1) + "|" + c.line2 + "|" + c.target);
    editor_.SetLink(c.line1, c.line2, c.target);
    editor_.findChild<QPushButton*>("btnSave")->setFocus();
    const std::size_t shownBefore = messages_.Messages().size();
    const int result = Click("btnSave");
    if (c.refusal == nullptr) {
      EXPECT_EQ(result, kModalResultOk);
      EXPECT_EQ(messages_.Messages().size(), shownBefore);
      EXPECT_EQ(editor_.Target(), c.target) << "the box keeps what was typed";
      editor_.show();
    } else {
      EXPECT_EQ(result, -1) << "the editor stays open";
      ASSERT_EQ(messages_.Messages().size(), shownBefore + 1);
      EXPECT_EQ(messages_.Messages().back().text, c.refusal);
      EXPECT_EQ(messages_.Messages().back().kind, MessageKind::Information);
      EXPECT_EQ(editor_.focusWidget(), &Box(c.box));
    }
  }
}

// A host typed without a scheme, as people say web addresses, is saved as a web address.
TEST_F(TfrmEditLinkTest, ATargetBeginningWithWwwIsSavedWithHttpsInFront) {
  const struct {
    const char* typed;
    const char* saved;
  } cases[] = {
      {"www.example.org", "https://www.example.org"},
      {"  www.example.org/a b?q=1\t", "https://www.example.org/a b?q=1"},
      {"WWW.Example.ORG", "https://WWW.Example.ORG"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    editor_.SetLink("News", "", c.typed);
    EXPECT_EQ(Click("btnSave"), kModalResultOk);
    EXPECT_EQ(editor_.Target(), c.saved);
    EXPECT_THAT(messages_.Messages(), IsEmpty());
    editor_.show();
  }
}

TEST_F(TfrmEditLinkTest, ClearEmptiesTheBoxesWithoutAskingAndCancelGivesNoLink) {
  editor_.SetLink("Mail", "Box", "https://mail.example/");
  EXPECT_EQ(Click("btnClear"), -1);
  EXPECT_EQ(editor_.Line1() + editor_.Line2() + editor_.Target(), "");
  EXPECT_THAT(messages_.Messages(), IsEmpty());
  EXPECT_EQ(Click("btnSave"), -1);
  EXPECT_THAT(Texts(), ElementsAre("A short description is required."));
  EXPECT_EQ(Click("btnCancel"), kModalResultCancel);
}

// Twelve characters fit under a link on the page; what the program puts in is kept whole.
TEST_F(TfrmEditLinkTest, APersonTypesOrPastesAtMostTwelveCharactersIntoACaptionLine) {
  QLineEdit& line1 = Box("edtLine1");
  QTest::keyClicks(&line1, "Seventeen chars!!");
  EXPECT_EQ(line1.text(), "Seventeen ch");

  QLineEdit& line2 = Box("edtLine2");
  QApplication::clipboard()->setText("0123456789ABCDEF");
  line2.setFocus();
  QTest::keyClicks(&line2, "ab");
  QTest::keyClick(&line2, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(line2.text(), "ab0123456789") << "the paste is cut to the room left";

  editor_.SetLink("A line of twenty chr", "", "");
  EXPECT_EQ(editor_.Line1(), "A line of twenty chr");
  line1.setFocus();
  line1.end(false);
  QTest::keyClicks(&line1, "s");
  EXPECT_EQ(line1.text(), "A line of twenty chr") << "a full box takes nothing more";
  QTest::keyClick(&line1, Qt::Key_Backspace);
  EXPECT_EQ(line1.text(), "A line of twenty ch");
  EXPECT_EQ(Box("edtTarget").text(), "");
  QTest::keyClicks(&Box("edtTarget"), std::string(40, 'x').c_str());
  EXPECT_EQ(Box("edtTarget").text().size(), 40) << "the target has no limit";
}

// The limit counts the characters a person sees, not the bytes behind them, and a paste is never
// cut inside one.
TEST_F(TfrmEditLinkTest, TheCaptionLimitCountsTheCharactersAPersonSees) {
  const struct {
    const char* name;
    std::string stored;
    std::string storedAsUtf8;
    std::string digitsThatFit;  // of ten typed at the end
  } cases[] = {
      {"Windows-1252 bytes", "M\xFAsica", "M\xC3\xBAsica", "012345"},
      {"UTF-8", "M\xC3\xBAsica", "M\xC3\xBAsica", "012345"},
      {"a letter and its combining accent", "Cafe\xCC\x81", "Cafe\xCC\x81", "01234567"},
  };
  QLineEdit& line1 = Box("edtLine1");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    editor_.SetLink(c.stored, "", "");
    line1.setFocus();
    line1.end(false);
    QTest::keyClicks(&line1, "0123456789");
    EXPECT_EQ(editor_.Line1(), c.storedAsUtf8 + c.digitsThatFit);
  }

  const std::string smiley = "\xF0\x9F\x98\x80";  // two UTF-16 units
  editor_.SetLink("", "", "");
  std::string smileys;
  for (int i = 0; i < 12; ++i) {
    smileys += smiley;
  }
  QApplication::clipboard()->setText(QString::fromStdString(smileys));
  QTest::keyClicks(&line1, "a");
  QTest::keyClick(&line1, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(editor_.Line1(), "a" + smileys.substr(0, 11 * smiley.size()));
}

TEST_F(TfrmEditLinkTest, AChosenFolderBecomesAFileUrlAndMyComputerIsRefusedUntilCancel) {
  editor_.SetLink("Docs", "", "https://old.example/");
  for (int i = 0; i < 3; ++i) {
    fileDialogs_.Then("My Computer");
  }
  fileDialogs_.Then("/home/ann/My Links");
  EXPECT_EQ(Click("btnSelectFolder"), -1);
  EXPECT_EQ(fileDialogs_.Requests().size(), 4U);
  EXPECT_EQ(fileDialogs_.Requests()[0].title, "Select folder");
  EXPECT_THAT(Texts(), ElementsAre("Please select a valid folder.", "Please select a valid folder.",
                                   "Please select a valid folder."));
  EXPECT_EQ(editor_.Target(), "file:///home/ann/My Links");

  fileDialogs_.Then("Mi PC");
  fileDialogs_.Then(std::nullopt);  // Cancel
  Click("btnSelectFolder");
  EXPECT_EQ(editor_.Target(), "file:///home/ann/My Links") << "Cancel changes nothing";
  EXPECT_EQ(messages_.Messages().size(), 4U);
}

TEST_F(TfrmEditLinkTest, WithoutAnOpenPageInsertBrowserLocationSaysSoAndShowsNoPicker) {
  editor_.SetLink("", "", "https://kept.example/");
  Click("btnInsertBrowserLocation");
  EXPECT_THAT(Texts(), ElementsAre(os::Wording().noBrowserLocations));
#ifndef _WIN32
  EXPECT_THAT(Texts().front(), HasSubstr("Firefox and Chromium")) << "the tabs it reads here";
#endif
  EXPECT_THAT(modals_.Shown(), IsEmpty());
  EXPECT_EQ(editor_.Target(), "https://kept.example/");
}

class TfrmEditLinkWithPagesTest : public TfrmEditLinkTest {
 protected:
  TfrmEditLinkWithPagesTest()
      : TfrmEditLinkTest(
            {browsers::ShellWindows::Window{true, "https://a.example/", true},
             browsers::ShellWindows::Window{true, "https://b.example/\u202E\n", true}}) {}
};

TEST_F(TfrmEditLinkWithPagesTest, ThePickedLocationBecomesTheTargetAndCancelKeepsIt) {
  editor_.SetLink("", "", "https://kept.example/");
  modals_.ThenResult(kModalResultCancel);
  modals_.Then([](QDialog& picker) {
    auto* list = picker.findChild<QListWidget*>("lbxBrowsers");
    list->setCurrentRow(1);
    QTest::mouseClick(picker.findChild<QPushButton*>("btnSave"), Qt::LeftButton);
    return picker.result();
  });

  Click("btnInsertBrowserLocation");
  EXPECT_EQ(editor_.Target(), "https://kept.example/");
  Click("btnInsertBrowserLocation");
  EXPECT_EQ(editor_.Target(), "https://b.example/%E2%80%AE%0A") << "as the picker shows it";
  EXPECT_THAT(modals_.Shown(), ElementsAre("lintavo::TfrmEnumerator", "lintavo::TfrmEnumerator"));
  EXPECT_THAT(messages_.Messages(), IsEmpty());
}

// Save is the editor's default: Enter in any box saves; on a focused button, Enter presses that
// button, and Insert browser location never takes Enter from a box.
TEST_F(TfrmEditLinkTest, EnterInABoxSavesAndOnAFocusedButtonPressesIt) {
  ASSERT_TRUE(Activate(editor_));
  for (const char* box : {"edtLine1", "edtLine2", "edtTarget"}) {
    SCOPED_TRACE(box);
    editor_.SetLink("Mail", "Box", "https://mail.example/");
    Box(box).setFocus();
    EXPECT_EQ(Press(Qt::Key_Return), kModalResultOk);
    ASSERT_TRUE(Activate(editor_));
  }
  EXPECT_THAT(messages_.Messages(), IsEmpty()) << "no picker was looked for";
  EXPECT_TRUE(Button("btnSave").isDefault());

  editor_.SetLink("Mail", "Box", "https://mail.example/");
  Button("btnInsertBrowserLocation").setFocus();
  EXPECT_FALSE(Button("btnInsertBrowserLocation").isDefault());
  EXPECT_EQ(Press(Qt::Key_Return), -1);
  EXPECT_THAT(Texts(), ElementsAre(os::Wording().noBrowserLocations));
  Button("btnClear").setFocus();
  EXPECT_EQ(Press(Qt::Key_Return), -1);
  EXPECT_EQ(editor_.Target(), "") << "Enter cleared";
  EXPECT_EQ(Press(Qt::Key_Escape), kModalResultCancel);
}

TEST_F(TfrmEditLinkTest, EachLabelsLetterReachesItsBox) {
  ASSERT_TRUE(Activate(editor_));
  EXPECT_THAT(FocusAfterMnemonics(Button("btnSave"), {Qt::Key_D, Qt::Key_1, Qt::Key_2, Qt::Key_T}),
              ElementsAre("edtLine1", "edtLine1", "edtLine2", "edtTarget"));
}

// Typing stops at twelve characters; from four left on, the box says how many, beside it and to a
// screen reader.
TEST_F(TfrmEditLinkTest, ACaptionBoxSaysHowManyCharactersAreLeftWhenFewAre) {
  const auto* counter = editor_.findChild<QLabel*>("lblLine2RoomLeft");
  QLineEdit& line2 = Box("edtLine2");
  const struct {
    const char* name;
    std::function<void()> act;
    const char* said;
  } cases[] = {
      {"empty", [] {}, ""},
      {"seven typed", [&] { QTest::keyClicks(&line2, "Kalende"); }, ""},
      {"eight typed", [&] { QTest::keyClicks(&line2, "r"); }, "4 characters left"},
      {"eleven typed", [&] { QTest::keyClicks(&line2, "abc"); }, "1 character left"},
      {"twelve typed, and more", [&] { QTest::keyClicks(&line2, "defg"); }, "0 characters left"},
      {"one deleted", [&] { QTest::keyClick(&line2, Qt::Key_Backspace); }, "1 character left"},
      {"twenty set by the program", [&] { editor_.SetLink("", "A line of twenty chr", ""); },
       "0 characters left"},
      {"cleared", [&] { Click("btnClear"); }, ""},
  };
  line2.setFocus();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    c.act();
    EXPECT_EQ(counter->text().toStdString(), c.said);
    EXPECT_EQ(line2.accessibleDescription().toStdString(), c.said);
  }
  EXPECT_EQ(editor_.findChild<QLabel*>("lblLine1RoomLeft")->text(), "") << "each box its own";

  editor_.SetLink("12 character", "12 character", "");
  EXPECT_EQ(counter->text(), "0 characters left");
  EXPECT_THAT(CaptionsThatDoNotFit(editor_), IsEmpty()) << "the counters fit beside the boxes";
}

TEST_F(TfrmEditLinkTest, KeepsItsDesignedLayout) {
  EXPECT_EQ(editor_.windowTitle(), "Edit Link");
  EXPECT_EQ(editor_.size(), QSize(423, 152));
  EXPECT_EQ(editor_.minimumSize(), editor_.maximumSize()) << "the size is fixed";
  EXPECT_FALSE(editor_.windowFlags() & (Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint))
      << "no title-bar buttons";
  ExpectDesignedControls(
      editor_,
      {
          {"lblShortDescription", "Short &description:", {9, 7, 103, 16}, false},
          {"lblLine1", "Line &1:", {9, 26, 38, 16}, false},
          {"edtLine1", nullptr, {53, 25, 130, 18}, false},
          {"lblLine1RoomLeft", "", {189, 26, 130, 16}, false},
          {"lblLine2", "Line &2:", {9, 49, 38, 16}, false},
          {"edtLine2", nullptr, {53, 48, 130, 18}, false},
          {"lblLine2RoomLeft", "", {189, 49, 130, 16}, false},
          {"lblTarget", "&Target:", {9, 72, 43, 16}, false},
          {"edtTarget", nullptr, {9, 90, 304, 18}, false},
          {"btnInsertBrowserLocation", "&Insert browser location", {9, 116, 149, 20}, true},
          {"btnSelectFolder", "Select a &folder", {164, 116, 149, 20}, true},
          {"btnSave", "&Save", {325, 24, 81, 21}, true},
          {"btnCancel", "&Cancel", {325, 52, 81, 21}, true},
          {"btnClear", "C&lear", {325, 79, 81, 21}, true},
      });
  EXPECT_THAT(CaptionsThatDoNotFit(editor_), IsEmpty());
  EXPECT_THAT(TabChain(editor_, "edtLine1"),
              ElementsAre("edtLine1", "edtLine2", "edtTarget", "btnInsertBrowserLocation",
                          "btnSelectFolder", "btnSave", "btnCancel", "btnClear"));
  EXPECT_THAT(MnemonicProblems(editor_), IsEmpty());
}

}  // namespace
}  // namespace lintavo::test
