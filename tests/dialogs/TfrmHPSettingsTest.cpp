#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QKeySequence>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "dialogs/TfrmHPSettings.h"
#include "os/ProfileFile.h"
#include "skin/ModalDialogs.h"
#include "support/PageStoreFixture.h"
#include "support/gui/CaptionFit.h"
#include "support/gui/DesignedLayout.h"
#include "support/gui/KeyPresses.h"
#include "support/gui/Mnemonics.h"
#include "support/gui/RecordedErrors.h"
#include "support/gui/ScriptedMessages.h"
#include "support/gui/ScriptedModals.h"

namespace lintavo::test {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

constexpr int kPosition = 2;  // page 3

struct Link {
  std::string line1, line2, target;
};

class TfrmHPSettingsTest : public ::testing::Test, public PageStoreFixture {
 protected:
  TfrmHPSettingsTest() {
    PutTemplate("<RD>NAME</RD>|<RD>CAPTION11</RD>|<RD>TARGET11</RD>");
    StoredPage().Name = "Work";
    StoredPage().TextColor = "#C0C0C0";
    StoredPage().TitleColor = "#ffff00";
    SetLink(StoredPage(), 0, {"Mail", "Box", "https://mail.example/"});
    SetLink(StoredPage(), 9, {"", "News", "https://news.example/"});
  }

  TWebPage& StoredPage() { return PageData(kPosition + 1); }
  static void SetLink(TWebPage& page, int cell, const Link& link) {
    page.CaptionLines1[cell] = link.line1;
    page.CaptionLines2[cell] = link.line2;
    page.Targets[cell] = link.target;
  }
  static Link LinkAt(const TWebPage& page, int cell) {
    return {page.CaptionLines1[cell], page.CaptionLines2[cell], page.Targets[cell]};
  }

  TfrmHPSettings& OpenDialog() {
    dialog_ = std::make_unique<TfrmHPSettings>(Store(), kPosition, ConfigFile(), messages_,
                                               [] { return browsers::ShellWindows({}); });
    dialog_->show();
    return *dialog_;
  }
  template <typename Widget>
  Widget& Control(const char* name) {
    auto* widget = dialog_->findChild<Widget*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return *widget;
  }
  // Opens the dialog as the active window, where keys and shortcuts reach it as a person's do.
  TfrmHPSettings& OpenActiveDialog() {
    OpenDialog();
    EXPECT_TRUE(Activate(*dialog_));
    return *dialog_;
  }
  QTableWidget& Grid() { return Control<QTableWidget>("grdSettings"); }
  QPushButton& Button(const char* name) { return Control<QPushButton>(name); }
  // Runs `act`; the result the dialog closed with, or -1 while it stays open.
  int Closing(const std::function<void()>& act) { return ClosingResult(*dialog_, act); }
  // Clicks a button; the result as Closing gives it.
  int Click(const char* name) {
    return Closing([&] { QTest::mouseClick(&Button(name), Qt::LeftButton); });
  }
  // Presses a key where the focus is; the result as Closing gives it.
  int Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    return Closing([&] { PressKey(key, modifiers); });
  }
  // Where the focus goes from `first`, one `key` at a time, until it comes back.
  std::vector<std::string> FocusWalk(const char* first, Qt::Key key,
                                     Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    Control<QWidget>(first).setFocus();
    std::vector<std::string> walk = {Focused()};
    do {
      PressKey(key, modifiers);
      walk.push_back(Focused());
    } while (walk.back() != first && walk.size() < 20);
    return walk;
  }
  void PickColour(const char* box, const char* colour) {
    auto& colours = Control<QComboBox>(box);
    colours.setCurrentText(colour);
    emit colours.activated(colours.currentIndex());
  }
  // Selects the cell of grid row `row` (1 to 6) and column `column` (0 to 7).
  void Select(int row, int column) { Grid().setCurrentCell(row - 1, column); }
  int GridRowOfCurrent() { return Grid().currentRow() + 1; }
  std::string CellText(int row, int column) {
    return Grid().item(row - 1, column)->text().toStdString();
  }
  // The link editor's next showing: it gets these texts and closes with `result`.
  void EditorAnswers(const Link& link, int result = kModalResultOk) {
    modals_.Then([link, result](QDialog& editor) {
      editor.findChild<QLineEdit*>("edtLine1")->setText(QString::fromStdString(link.line1));
      editor.findChild<QLineEdit*>("edtLine2")->setText(QString::fromStdString(link.line2));
      editor.findChild<QLineEdit*>("edtTarget")->setText(QString::fromStdString(link.target));
      return result;
    });
  }
  std::string Settings(const char* key) {
    return ProfileFile::Load(ConfigFile()).ReadString("Settings", key, "(missing)");
  }

  ScriptedMessages messages_;
  ScriptedModals modals_;
  std::unique_ptr<TfrmHPSettings> dialog_;
};

TEST_F(TfrmHPSettingsTest, OpensOnACopyOfThePageWithItsNameColoursAndGrid) {
  TfrmHPSettings& dialog = OpenDialog();
  EXPECT_EQ(Control<QLineEdit>("edtName").text(), "Work");
  EXPECT_EQ(Control<QComboBox>("colFont").currentText(), "Silver");
  EXPECT_EQ(Control<QComboBox>("colTitle").currentText(), "Yellow") << "#ffff00 in lower case";
  EXPECT_EQ(CellText(1, 0), "Mail Box");
  EXPECT_EQ(CellText(2, 1), "News") << "only the second line";
  EXPECT_EQ(CellText(1, 1), "");
  EXPECT_EQ(Grid().currentRow(), 0);
  EXPECT_EQ(Grid().currentColumn(), 0);
  EXPECT_FALSE(Button("btnPaste").isEnabled());
  EXPECT_EQ(dialog.WorkPage().Name, "Work");
  EXPECT_THAT(modals_.Shown(), IsEmpty());
}

TEST_F(TfrmHPSettingsTest, CancelKeepsThePageAndTheFilesAndStoresOnlyTheSize) {
  Store().SavePages();
  const std::string settingsBefore = ReadFileBytes(ConfigFile());
  OpenDialog();
  Control<QLineEdit>("edtName").setText("Renamed");
  Select(1, 0);
  Click("btnClear");

  EXPECT_EQ(Click("btnCancel"), kModalResultCancel);

  EXPECT_EQ(StoredPage().Name, "Work");
  EXPECT_EQ(LinkAt(StoredPage(), 0).line1, "Mail");
  EXPECT_FALSE(fs::exists(PagePath(3))) << "no page was written";
  const std::string settings = ReadFileBytes(ConfigFile());
  EXPECT_EQ(settings.substr(0, settingsBefore.size()), settingsBefore);
  EXPECT_EQ(settings.substr(settingsBefore.size()),
            "\r\n[Settings]\r\nGridWidth=953\r\nGridHeight=498\r\n");
}

TEST_F(TfrmHPSettingsTest, EditTakesTheEditorsTextsAndDoubleClickEditsToo) {
  OpenDialog();
  Select(1, 0);
  EditorAnswers({"  Post", "", "https://post.example/  "});
  Click("btnEditLink");
  EXPECT_EQ(LinkAt(dialog_->WorkPage(), 0).line1, "  Post") << "stored untrimmed";
  EXPECT_EQ(LinkAt(dialog_->WorkPage(), 0).target, "https://post.example/  ");
  EXPECT_EQ(CellText(1, 0), "  Post");

  EditorAnswers({"Gone", "", "https://gone.example/"}, kModalResultCancel);
  Click("btnEditLink");
  EXPECT_EQ(CellText(1, 0), "  Post") << "a cancelled edit changes nothing";

  modals_.Then([](QDialog& editor) {
    auto& line1 = *editor.findChild<QLineEdit*>("edtLine1");
    EXPECT_EQ(line1.text(), "") << "the editor opens with the double-clicked cell's link";
    EXPECT_EQ(editor.findChild<QLineEdit*>("edtLine2")->text(), "News");
    return kModalResultCancel;
  });
  // A person's double-click: a click, then the press the system reports as a double-click.
  const QPoint cell = Grid().visualItemRect(Grid().item(1, 1)).center();
  QTest::mouseClick(Grid().viewport(), Qt::LeftButton, {}, cell);
  QTest::mouseDClick(Grid().viewport(), Qt::LeftButton, {}, cell);
  EXPECT_THAT(modals_.Shown(), ElementsAre("lintavo::TfrmEditLink", "lintavo::TfrmEditLink",
                                           "lintavo::TfrmEditLink"));
}

TEST_F(TfrmHPSettingsTest, ClearAsksFirstAndEmptiesTheLinkOnlyOnOk) {
  OpenDialog();
  Select(1, 0);
  messages_.Answer(kMessageResultCancel);
  Click("btnClear");
  EXPECT_EQ(CellText(1, 0), "Mail Box");
  Click("btnClear");
  EXPECT_EQ(CellText(1, 0), "");
  EXPECT_EQ(LinkAt(dialog_->WorkPage(), 0).target, "");
  ASSERT_EQ(messages_.Messages().size(), 2U);
  EXPECT_EQ(messages_.Messages()[0].text, "Are you sure you want clear this link?");
  EXPECT_EQ(messages_.Messages()[0].kind, MessageKind::Confirmation);
  EXPECT_EQ(messages_.Messages()[0].buttons, MessageButtons::OkCancel);
}

// A Cut marks a cell; the next Paste moves whatever that cell holds then onto the selected one.
TEST_F(TfrmHPSettingsTest, CutAndPasteMoveALinkByItsMark) {
  OpenDialog();
  const auto cutAt = [this](int row, int column) {
    Select(row, column);
    Click("btnCut");
  };
  const auto pasteAt = [this](int row, int column) {
    Select(row, column);
    Click("btnPaste");
  };

  cutAt(1, 0);
  EXPECT_TRUE(Button("btnPaste").isEnabled());
  EXPECT_EQ(CellText(1, 0), "Mail Box") << "Cut leaves the link where it is";
  pasteAt(1, 0);
  EXPECT_FALSE(Button("btnPaste").isEnabled()) << "pasting on the marked cell moves nothing";
  EXPECT_EQ(CellText(1, 0), "Mail Box");

  cutAt(1, 0);
  EditorAnswers({"Post", "Office", "https://post.example/"});
  Click("btnEditLink");  // the mark is a place: the edited link is what moves
  pasteAt(3, 7);
  EXPECT_EQ(CellText(3, 7), "Post Office");
  EXPECT_EQ(CellText(1, 0), "");
  EXPECT_EQ(LinkAt(dialog_->WorkPage(), 2 * 8 + 7).target, "https://post.example/");
  EXPECT_FALSE(Button("btnPaste").isEnabled());

  cutAt(4, 4);  // an empty cell
  pasteAt(2, 1);
  EXPECT_EQ(CellText(2, 1), "") << "the link there is replaced without asking";
  EXPECT_EQ(LinkAt(dialog_->WorkPage(), 9).target, "");
  EXPECT_THAT(messages_.Messages(), IsEmpty());
}

// Ctrl+X is always the dialog's; Ctrl+V only while Paste is enabled, else the name box's own.
TEST_F(TfrmHPSettingsTest, TheDialogsShortcutsWinOverTheNameBoxOnlyWhenTheyApply) {
  OpenDialog();
  // Shortcuts reach the active window only.
  dialog_->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(dialog_.get()));
  auto& name = Control<QLineEdit>("edtName");
  name.setFocus();
  name.selectAll();
  QApplication::clipboard()->setText("from the clipboard");

  QTest::keyClick(&name, Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(name.text(), "Work") << "Ctrl+X did not cut the name";
  EXPECT_TRUE(Button("btnPaste").isEnabled()) << "Ctrl+X marked the selected cell";

  Select(6, 7);
  name.setFocus();
  QTest::keyClick(&name, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(CellText(6, 7), "Mail Box") << "Ctrl+V pasted the link";
  EXPECT_EQ(name.text(), "Work");
  EXPECT_FALSE(Button("btnPaste").isEnabled());

  name.selectAll();
  QTest::keyClick(&name, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(name.text(), "from the clipboard") << "with Paste disabled the box pastes";
}

TEST_F(TfrmHPSettingsTest, SaveStoresThePageWritesAllTenAndCloses) {
  OpenDialog();
  Control<QLineEdit>("edtName").setText("  Spaced  ");
  Control<QComboBox>("colFont").setCurrentText("Red");
  emit Control<QComboBox>("colFont").activated(Control<QComboBox>("colFont").currentIndex());
  Select(1, 0);
  EditorAnswers({"Post", "", "https://post.example/"});
  Click("btnEditLink");

  EXPECT_EQ(Click("btnSave"), kModalResultOk);

  EXPECT_EQ(StoredPage().Name, "  Spaced  ") << "stored with its spaces";
  EXPECT_EQ(StoredPage().TextColor, "#FF0000");
  EXPECT_EQ(StoredPage().TitleColor, "#FFFF00") << "written as the box gives it";
  EXPECT_EQ(LinkAt(StoredPage(), 0).target, "https://post.example/");
  const ProfileFile settings = ProfileFile::Load(ConfigFile());
  EXPECT_EQ(settings.ReadString("HOMEPAGE-3", "Name", ""), "  Spaced  ");
  EXPECT_EQ(settings.ReadString("HOMEPAGE-10", "Name", "(missing)"), "Home page 10")
      << "every page section is written";
  EXPECT_EQ(Page(3), "  Spaced  |Post|https://post.example/\r\n\r\n");
  EXPECT_TRUE(fs::exists(PagePath(10))) << "every page is generated";
}

// Whatever the settings file holds comes through the dialog unchanged: the longest value a read
// gives, markup, quotes and placeholders.
TEST_F(TfrmHPSettingsTest, LinksOfEveryKindOfTextSurviveOpeningAndSaving) {
  const std::vector<Link> links = {
      {std::string(2047, 'w'), "<b>bold</b> & \"quoted\"", "'single' \"double\""},
      {"<RD>HOMEPAGE1</RD>", "<RD>MSG</RD>", "https://x.example/?q=<RD>NAME</RD>"},
      {" spaced ", "\"", "file:///home/ann/a b.html"},
  };
  for (std::size_t i = 0; i < links.size(); ++i) {
    SetLink(StoredPage(), static_cast<int>(10 + i), links[i]);
  }
  Store().SavePages();
  PageStoreFixture::Open();  // a store that reads them back from the file
  OpenDialog();
  EXPECT_EQ(CellText(2, 2), std::string(2047, 'w') + " <b>bold</b> & \"quoted\"");
  EXPECT_EQ(Click("btnSave"), kModalResultOk);

  const TWebManager reloaded(ConfigFile(), ProgramFolder());
  for (std::size_t i = 0; i < links.size(); ++i) {
    SCOPED_TRACE(i);
    const Link read = LinkAt(reloaded.Pages[kPosition].second, static_cast<int>(10 + i));
    EXPECT_EQ(read.line1, links[i].line1);
    EXPECT_EQ(read.line2, links[i].line2);
    EXPECT_EQ(read.target, links[i].target);
  }
}

// A settings file written on Windows holds names and captions in the Windows code page. They show
// as Windows-1252; what the person leaves as it was goes back byte for byte, also through the link
// editor, and what they type is stored as UTF-8.
TEST_F(TfrmHPSettingsTest, TextsFromWindowsKeepTheirBytesUntilThePersonChangesThem) {
  const std::string line2 = "\x93Zoo\x94";
  const std::string target = "https://x.example/\xE9t\xE9";
  WriteFileBytes(ConfigFile(),
                 "[HOMEPAGE-3]\r\nName=M\xFAsica\r\nCaption-1-1-1=Caf\xE9\r\n"
                 "Caption-1-1-2=" +
                     line2 + "\r\nTarget-1-1=" + target + "\r\n");
  PageStoreFixture::Open();
  // The link editor's next showing: `typed` goes at the end of line 1, then Save.
  const auto editorSaves = [this](const char* typed) {
    modals_.Then([typed](QDialog& editor) {
      auto& line1 = *editor.findChild<QLineEdit*>("edtLine1");
      line1.end(false);
      QTest::keyClicks(&line1, typed);
      QTest::mouseClick(editor.findChild<QPushButton*>("btnSave"), Qt::LeftButton);
      return editor.result();
    });
  };
  // What the settings file holds after Save: line 2 and the target are never typed into.
  const auto expectSaved = [&](const std::string& name, const std::string& line1) {
    const ProfileFile settings = ProfileFile::Load(ConfigFile());
    EXPECT_EQ(settings.ReadString("HOMEPAGE-3", "Name", ""), name);
    EXPECT_EQ(settings.ReadString("HOMEPAGE-3", "Caption-1-1-1", ""), line1);
    EXPECT_EQ(settings.ReadString("HOMEPAGE-3", "Caption-1-1-2", ""), line2);
    EXPECT_EQ(settings.ReadString("HOMEPAGE-3", "Target-1-1", ""), target);
  };

  OpenDialog();
  EXPECT_EQ(Control<QLineEdit>("edtName").text().toStdString(), "M\xC3\xBAsica");
  EXPECT_EQ(CellText(1, 0), "Caf\xC3\xA9 \xE2\x80\x9CZoo\xE2\x80\x9D");
  editorSaves("");
  Click("btnEditLink");
  EXPECT_EQ(Click("btnSave"), kModalResultOk);
  expectSaved("M\xFAsica", "Caf\xE9");

  OpenDialog();
  auto& name = Control<QLineEdit>("edtName");
  name.end(false);
  QTest::keyClicks(&name, " 2");
  editorSaves("s");
  Click("btnEditLink");
  EXPECT_EQ(Click("btnSave"), kModalResultOk);
  expectSaved("M\xC3\xBAsica 2", "Caf\xC3\xA9s");
}

TEST_F(TfrmHPSettingsTest, ANameOfOnlySpacesIsRefusedAndAnUnlistedColourSavesAsBlack) {
  StoredPage().TitleColor = "#123456";
  OpenDialog();
  EXPECT_EQ(Control<QComboBox>("colTitle").currentIndex(), -1) << "no colour is selected";
  Control<QLineEdit>("edtName").setText(" \t ");
  EXPECT_EQ(Click("btnSave"), -1);
  ASSERT_EQ(messages_.Messages().size(), 1U);
  EXPECT_EQ(messages_.Messages()[0].text, "A page name is required.");
  EXPECT_EQ(dialog_->focusWidget(), &Control<QLineEdit>("edtName")) << "back to the name";
  EXPECT_EQ(StoredPage().Name, "Work");

  Control<QLineEdit>("edtName").setText("Work");
  EXPECT_EQ(Click("btnSave"), kModalResultOk);
  EXPECT_EQ(StoredPage().TitleColor, "#000000");
}

TEST_F(TfrmHPSettingsTest, AFailedSaveIsReportedKeepsTheDialogOpenAndTheEditsInTheStore) {
  RecordedErrors errors;
  OpenDialog();
  Control<QLineEdit>("edtName").setText("Renamed");
  fs::create_directories(ConfigFile());  // a folder where the settings file belongs

  EXPECT_EQ(Click("btnSave"), -1);

  EXPECT_THAT(errors.Take(), ElementsAre("Unable to write to " + ConfigFile()));
  EXPECT_TRUE(dialog_->isVisible());
  EXPECT_EQ(StoredPage().Name, "Renamed") << "the store took the edits before the write failed";
  EXPECT_FALSE(fs::exists(PagePath(3))) << "no page is generated after a failed save";
  fs::remove(ConfigFile());
  EXPECT_EQ(Click("btnCancel"), kModalResultCancel);
}

TEST_F(TfrmHPSettingsTest, AnUnreadableColourIsReportedAndTheDialogOpensWithTheRestSkipped) {
  RecordedErrors errors;
  StoredPage().TextColor = "#GG0000";
  TfrmHPSettings& dialog = OpenDialog();
  EXPECT_THAT(errors.Take(), ElementsAre("'$000000GG' is not a valid integer value"));
  EXPECT_EQ(Control<QComboBox>("colFont").currentText(), "Black");
  EXPECT_EQ(Control<QComboBox>("colTitle").currentText(), "Black");
  EXPECT_EQ(CellText(1, 0), "") << "the grid is not filled";
  EXPECT_EQ(LinkAt(dialog.WorkPage(), 0).line1, "Mail") << "the copy holds the whole page";
}

TEST_F(TfrmHPSettingsTest, TheSizeAtClosingIsTheSizeAtTheNextOpening) {
  OpenDialog();
  dialog_->resize(1100, 600);
  EXPECT_EQ(Grid().geometry(), QRect(9, 75, 931 + 147, 376 + 102)) << "the grid grows";
  EXPECT_EQ(Button("btnSave").geometry(), QRect(807 + 147, 462 + 102, 65, 20));
  EXPECT_EQ(Button("btnEditLink").geometry(), QRect(11, 462 + 102, 62, 20));
  Click("btnCancel");
  EXPECT_EQ(Settings("GridWidth"), "1100");
  EXPECT_EQ(Settings("GridHeight"), "600");

  OpenDialog();
  EXPECT_EQ(dialog_->size(), QSize(1100, 600));
  dialog_->close();
  EXPECT_EQ(dialog_->result(), kModalResultCancel) << "closing any other way is Cancel";

  ProfileFile settings = ProfileFile::Load(ConfigFile());
  settings.WriteString("Settings", "GridWidth", "wide");
  settings.Save();
  OpenDialog();
  EXPECT_EQ(dialog_->width(), 953) << "an unreadable size gives the designed one";
  EXPECT_EQ(dialog_->height(), 600);
}

// Tab walks the controls as they are laid out, top to bottom and left to right, through the grid
// and on to Save and Cancel; Shift+Tab walks back. A disabled Paste is passed over.
TEST_F(TfrmHPSettingsTest, TabWalksTheLayoutThroughTheGridToSaveAndCancel) {
  OpenActiveDialog();
  EXPECT_EQ(Focused(), "edtName") << "the dialog opens in the name box";
  EXPECT_THAT(FocusWalk("edtName", Qt::Key_Tab),
              ElementsAre("edtName", "colFont", "colTitle", "grdSettings", "btnEditLink", "btnCut",
                          "btnClear", "btnSave", "btnCancel", "edtName"));
  EXPECT_THAT(FocusWalk("edtName", Qt::Key_Backtab, Qt::ShiftModifier),
              ElementsAre("edtName", "btnCancel", "btnSave", "btnClear", "btnCut", "btnEditLink",
                          "grdSettings", "colTitle", "colFont", "edtName"));
}

TEST_F(TfrmHPSettingsTest, TabAndCtrlTabLeaveTheGridAndArrowsMoveBetweenItsCells) {
  const struct {
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char* focused;
  } leaving[] = {
      {"Tab", Qt::Key_Tab, Qt::NoModifier, "btnEditLink"},
      {"Shift+Tab", Qt::Key_Backtab, Qt::ShiftModifier, "colTitle"},
      {"Ctrl+Tab", Qt::Key_Tab, Qt::ControlModifier, "btnEditLink"},
      {"Ctrl+Shift+Tab", Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, "colTitle"},
      {"Ctrl+Shift+Tab as Tab", Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier, "colTitle"},
  };
  OpenActiveDialog();
  for (const auto& c : leaving) {
    SCOPED_TRACE(c.name);
    Select(3, 4);
    Grid().setFocus();
    EXPECT_EQ(Press(c.key, c.modifiers), -1);
    EXPECT_EQ(Focused(), c.focused);
    EXPECT_EQ(Grid().currentRow(), 2) << "the selected cell stays";
    EXPECT_EQ(Grid().currentColumn(), 4);
  }

  const struct {
    Qt::Key key;
    int row, column;  // grid row (1 to 6) and column (0 to 7) after the key
  } arrows[] = {
      {Qt::Key_Right, 1, 1}, {Qt::Key_Down, 2, 1}, {Qt::Key_Left, 2, 0},
      {Qt::Key_Up, 1, 0},    {Qt::Key_Up, 1, 0},   {Qt::Key_Left, 1, 0},
  };
  Select(1, 0);
  Grid().setFocus();
  for (const auto& c : arrows) {
    SCOPED_TRACE(QKeySequence(c.key).toString().toStdString());
    Press(c.key);
    EXPECT_EQ(GridRowOfCurrent(), c.row);
    EXPECT_EQ(Grid().currentColumn(), c.column);
    EXPECT_EQ(Grid().selectedItems().size(), 1);
  }
  EXPECT_EQ(Focused(), "grdSettings");
}

TEST_F(TfrmHPSettingsTest, EnterOrF2OnACellEditsItsLinkAndDeleteClearsItAfterAsking) {
  const struct {
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
  } editKeys[] = {
      {"Enter", Qt::Key_Return, Qt::NoModifier},
      {"Enter on the keypad", Qt::Key_Enter, Qt::KeypadModifier},
      {"F2", Qt::Key_F2, Qt::NoModifier},
  };
  OpenActiveDialog();
  for (const auto& c : editKeys) {
    SCOPED_TRACE(c.name);
    Select(2, 1);
    Grid().setFocus();
    std::string shownLine2;
    modals_.Then([&shownLine2](QDialog& editor) {
      shownLine2 = editor.findChild<QLineEdit*>("edtLine2")->text().toStdString();
      return kModalResultCancel;
    });
    EXPECT_EQ(Press(c.key, c.modifiers), -1) << "the key does not save";
    EXPECT_EQ(shownLine2, "News") << "the editor opened on the selected cell";
  }
  EXPECT_EQ(modals_.Shown().size(), std::size(editKeys));

  Select(1, 0);
  Grid().setFocus();
  messages_.Answer(kMessageResultCancel);
  Press(Qt::Key_Delete);
  EXPECT_EQ(CellText(1, 0), "Mail Box") << "the answer was Cancel";
  Press(Qt::Key_Delete);
  EXPECT_EQ(CellText(1, 0), "");
  EXPECT_EQ(LinkAt(dialog_->WorkPage(), 0).target, "");
  ASSERT_EQ(messages_.Messages().size(), 2U);
  EXPECT_EQ(messages_.Messages()[1].text, "Are you sure you want clear this link?");
  EXPECT_EQ(Focused(), "grdSettings");
}

// Save is the dialog's default: Enter saves wherever the focus is, but in the grid and on another
// button; Ctrl+S saves from anywhere.
TEST_F(TfrmHPSettingsTest, EnterOutsideTheGridSavesAndSoDoesCtrlS) {
  const struct {
    const char* name;
    const char* focus;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
  } cases[] = {
      {"Enter in the name box", "edtName", Qt::Key_Return, Qt::NoModifier},
      {"Enter on the keypad in the name box", "edtName", Qt::Key_Enter, Qt::KeypadModifier},
      {"Enter in a colour box", "colTitle", Qt::Key_Return, Qt::NoModifier},
      {"Enter on Save", "btnSave", Qt::Key_Return, Qt::NoModifier},
      {"Ctrl+S in the name box", "edtName", Qt::Key_S, Qt::ControlModifier},
      {"Ctrl+S in the grid", "grdSettings", Qt::Key_S, Qt::ControlModifier},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    OpenActiveDialog();
    Control<QLineEdit>("edtName").setText(c.name);
    Control<QWidget>(c.focus).setFocus();
    EXPECT_EQ(Press(c.key, c.modifiers), kModalResultOk);
    EXPECT_EQ(StoredPage().Name, c.name);
    EXPECT_THAT(modals_.Shown(), IsEmpty());
  }
  EXPECT_EQ(ProfileFile::Load(ConfigFile()).ReadString("HOMEPAGE-3", "Name", ""),
            "Ctrl+S in the grid");
}

TEST_F(TfrmHPSettingsTest, EnterOnAFocusedButtonPressesThatButtonOnly) {
  OpenActiveDialog();
  Select(1, 0);
  Button("btnCut").setFocus();
  EXPECT_EQ(Press(Qt::Key_Return), -1);
  EXPECT_TRUE(Button("btnPaste").isEnabled()) << "Enter cut";
  EXPECT_TRUE(Button("btnSave").isDefault()) << "Save stays the default";
  EXPECT_FALSE(Button("btnCut").isDefault());

  modals_.ThenResult(kModalResultCancel);
  Button("btnEditLink").setFocus();
  EXPECT_EQ(Press(Qt::Key_Return), -1);
  EXPECT_THAT(modals_.Shown(), ElementsAre("lintavo::TfrmEditLink"));

  Button("btnCancel").setFocus();
  EXPECT_EQ(Press(Qt::Key_Return), kModalResultCancel) << "nothing changed: no question";
  EXPECT_THAT(messages_.Messages(), IsEmpty());
}

// Escape, Cancel and closing ask first when Save would keep something the stored page does not
// hold; what the person changed and changed back again is no change.
TEST_F(TfrmHPSettingsTest, EscapeAsksBeforeItDiscardsChangesAndClosesAtOnceWithoutAny) {
  const struct {
    const char* name;
    std::function<void()> change;
    bool asks;
  } cases[] = {
      {"nothing", [] {}, false},
      {"the name typed and typed back",
       [this] {
         Control<QLineEdit>("edtName").setFocus();
         Press(Qt::Key_X);
         Press(Qt::Key_Backspace);
       },
       false},
      {"the title's Yellow picked again, stored as #ffff00",
       [this] { PickColour("colTitle", "Yellow"); }, false},
      {"a link edited to what it was",
       [this] {
         Select(1, 0);
         EditorAnswers({"Mail", "Box", "https://mail.example/"});
         Click("btnEditLink");
       },
       false},
      {"the name", [this] { Press(Qt::Key_X); }, true},
      {"the link colour", [this] { PickColour("colFont", "Red"); }, true},
      {"a link edited",
       [this] {
         Select(1, 0);
         EditorAnswers({"Mail", "Box", "https://post.example/"});
         Click("btnEditLink");
       },
       true},
      {"a link moved",
       [this] {
         Select(1, 0);
         Click("btnCut");
         Select(6, 7);
         Click("btnPaste");
       },
       true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    OpenActiveDialog();
    c.change();
    const std::size_t shownBefore = messages_.Messages().size();
    Control<QLineEdit>("edtName").setFocus();
    if (!c.asks) {
      EXPECT_EQ(Press(Qt::Key_Escape), kModalResultCancel);
      EXPECT_EQ(messages_.Messages().size(), shownBefore);
      continue;
    }
    messages_.Answer(kMessageResultCancel);
    EXPECT_EQ(Press(Qt::Key_Escape), -1) << "Cancel keeps the dialog open";
    ASSERT_EQ(messages_.Messages().size(), shownBefore + 1);
    const ScriptedMessages::Shown& question = messages_.Messages().back();
    EXPECT_EQ(question.text, "Discard the changes to this page?");
    EXPECT_EQ(question.kind, MessageKind::Confirmation);
    EXPECT_EQ(question.buttons, MessageButtons::OkCancelDefaultCancel) << "Cancel the default";
    EXPECT_TRUE(dialog_->isVisible());

    EXPECT_EQ(Click("btnCancel"), kModalResultCancel) << "the question's OK closes it";
    EXPECT_EQ(messages_.Messages().size(), shownBefore + 2);
    EXPECT_EQ(StoredPage().Name, "Work");
    EXPECT_EQ(StoredPage().TextColor, "#C0C0C0");
    EXPECT_EQ(LinkAt(StoredPage(), 0).target, "https://mail.example/");
  }
}

TEST_F(TfrmHPSettingsTest, EachLabelsLetterReachesItsControlAndEachButtonsPressesIt) {
  OpenActiveDialog();
  EXPECT_THAT(FocusAfterMnemonics(Button("btnSave"), {Qt::Key_N, Qt::Key_L, Qt::Key_T, Qt::Key_I}),
              ElementsAre("edtName", "colFont", "colTitle", "grdSettings"));
  // A button's letter presses it the way a click shows, a moment after the key.
  modals_.ThenResult(kModalResultCancel);
  Press(Qt::Key_E, Qt::AltModifier);
  EXPECT_TRUE(QTest::qWaitFor([this] { return !modals_.Shown().empty(); }));
  EXPECT_THAT(modals_.Shown(), ElementsAre("lintavo::TfrmEditLink"));
  EXPECT_EQ(Closing([this] {
              Press(Qt::Key_A, Qt::AltModifier);
              EXPECT_TRUE(QTest::qWaitFor([this] { return !dialog_->isVisible(); }));
            }),
            kModalResultCancel);
}

TEST_F(TfrmHPSettingsTest, KeepsItsDesignedLayout) {
  TfrmHPSettings& dialog = OpenDialog();
  EXPECT_EQ(dialog.windowTitle(), "Home Page Settings");
  EXPECT_EQ(dialog.size(), QSize(953, 498));
  EXPECT_FALSE(dialog.windowFlags() & (Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint))
      << "no title-bar buttons";
  ExpectDesignedControls(dialog,
                         {
                             {"lblPageName", "Page &Name:", {9, 11, 76, 16}, false},
                             {"edtName", nullptr, {84, 11, 287, 18}, false},
                             {"lblLinkTextColor", "&Link text color:", {9, 35, 83, 16}, false},
                             {"colFont", nullptr, {84, 33, 97, 17}, false},
                             {"lblTitleTextColor", "&Title text color:", {197, 35, 85, 16}, false},
                             {"colTitle", nullptr, {272, 33, 98, 17}, false},
                             {"lblSelectLink",
                              "Select a l&ink and then click a button to modify:",
                              {9, 57, 266, 16},
                              false},
                             {"grdSettings", nullptr, {9, 75, 931, 376}, false},
                             {"btnEditLink", "&Edit", {11, 462, 62, 20}, true},
                             {"btnCut", "&Cut", {77, 462, 63, 20}, true},
                             {"btnPaste", "&Paste", {144, 462, 62, 20}, true},
                             {"btnClear", "Clea&r", {211, 462, 63, 20}, true},
                             {"btnSave", "&Save", {807, 462, 65, 20}, true},
                             {"btnCancel", "C&ancel", {876, 462, 65, 20}, true},
                         });
  EXPECT_THAT(CaptionsThatDoNotFit(dialog), IsEmpty());
  EXPECT_THAT(TabChain(dialog, "edtName"),
              ElementsAre("edtName", "colFont", "colTitle", "grdSettings", "btnEditLink", "btnCut",
                          "btnPaste", "btnClear", "btnSave", "btnCancel"));
  EXPECT_THAT(MnemonicProblems(dialog), IsEmpty());

  auto& colours = Control<QComboBox>("colFont");
  std::vector<std::string> names;
  for (int i = 0; i < colours.count(); ++i) {
    names.push_back(colours.itemText(i).toStdString());
  }
  EXPECT_THAT(names,
              ElementsAre("Black", "Maroon", "Green", "Olive", "Navy", "Purple", "Teal", "Gray",
                          "Silver", "Red", "Lime", "Yellow", "Blue", "Fuchsia", "Aqua", "White"));
  EXPECT_EQ(Grid().rowCount(), 6);
  EXPECT_EQ(Grid().columnCount(), 8);
  EXPECT_EQ(Grid().columnWidth(0), 100);
  EXPECT_EQ(Grid().rowHeight(0), 20);
  EXPECT_EQ(Grid().horizontalHeaderItem(0)->text(), "") << "the header row is empty";
}

}  // namespace
}  // namespace lintavo::test
