#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <optional>
#include <string>
#include <vector>

#include "base/Failure.h"
#include "dialogs/TfrmEnumerator.h"
#include "skin/ModalDialogs.h"
#include "support/gui/CaptionFit.h"
#include "support/gui/DesignedLayout.h"
#include "support/gui/KeyPresses.h"
#include "support/gui/Mnemonics.h"
#include "support/gui/RecordedErrors.h"
#include "support/gui/ScriptedMessages.h"

namespace lintavo::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Window = browsers::ShellWindows::Window;
using namespace std::string_literals;

Window Page(const std::string& location) {
  return {true, location, true};
}

// The open windows the picker finds, given to it as a snapshot.
ShellWindowsSource Windows(std::vector<std::optional<Window>> windows) {
  return [windows] { return browsers::ShellWindows(windows); };
}

std::vector<std::string> Entries(TfrmEnumerator& picker) {
  std::vector<std::string> entries;
  const auto* list = picker.findChild<QListWidget*>("lbxBrowsers");
  for (int i = 0; i < list->count(); ++i) {
    entries.push_back(list->item(i)->text().toStdString());
  }
  return entries;
}

// Clicks a button of the picker as it runs modally, and says how it closed (-1: it did not).
int Click(TfrmEnumerator& picker, const char* button) {
  int result = -1;
  QObject::connect(&picker, &QDialog::finished, [&result](int closed) { result = closed; });
  QTest::mouseClick(picker.findChild<QPushButton*>(button), Qt::LeftButton);
  return result;
}

class TfrmEnumeratorTest : public ::testing::Test {
 protected:
  ScriptedMessages messages_;
};

TEST_F(TfrmEnumeratorTest, ListsOnlyLoadedWebPagesInTheOrderFoundWithRepeats) {
  TfrmEnumerator picker(
      messages_,
      Windows({
          Page("https://news.example/"),
          std::nullopt,                                  // no window object there
          Window{false, "file:///home/ann", true},       // a folder window offers no browser view
          Window{true, "", true},                        // still loading: no location yet
          Window{true, "https://slow.example/", false},  // no document
          Page("file:///home/ann/Documents"),            // a folder shown in the browser
          Page("file:///home/ann/pages/a.html"),
          Page("file:///home/ann/pages/b.HTM"),  // the test counts case, as the browser's did
          Page("FILE:///home/ann/notes.txt"),    // "file:" counts case too
          Page("https://news.example/"),
          Page("ftp://files.example/archive.zip"),
      }));
  EXPECT_THAT(Entries(picker), ElementsAre("https://news.example/", "file:///home/ann/pages/a.html",
                                           "FILE:///home/ann/notes.txt", "https://news.example/",
                                           "ftp://files.example/archive.zip"));
  EXPECT_EQ(picker.LocationCount(), 5);
  EXPECT_EQ(picker.SelectedLocation(), "") << "nothing is selected when the picker opens";
}

TEST_F(TfrmEnumeratorTest, SaveNeedsASelectedEntryAndCancelGivesNone) {
  TfrmEnumerator picker(messages_,
                        Windows({Page("https://a.example/"), Page("https://b.example/")}));
  picker.show();

  EXPECT_EQ(Click(picker, "btnSave"), -1) << "it stays open";
  ASSERT_EQ(messages_.Messages().size(), 1U);
  EXPECT_EQ(messages_.Messages()[0].text, "Please select a URL.");
  EXPECT_EQ(messages_.Messages()[0].kind, MessageKind::Information);

  auto* list = picker.findChild<QListWidget*>("lbxBrowsers");
  // A person's double-click: a click, then the press the system reports as a double-click.
  const QPoint second = list->visualItemRect(list->item(1)).center();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second);
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, second);
  EXPECT_TRUE(picker.isVisible()) << "a double-click only selects";
  EXPECT_EQ(picker.SelectedLocation(), "https://b.example/");
  EXPECT_EQ(Click(picker, "btnSave"), kModalResultOk);

  TfrmEnumerator cancelled(messages_, Windows({Page("https://a.example/")}));
  cancelled.show();
  EXPECT_EQ(Click(cancelled, "btnCancel"), kModalResultCancel);
  cancelled.show();
  cancelled.close();
  EXPECT_EQ(cancelled.result(), kModalResultCancel) << "closing any other way is Cancel too";
}

// Characters that would break an entry's line or turn its text around show percent-encoded, as an
// address bar shows them, and the entry gives that visible form, one line, to be stored.
TEST_F(TfrmEnumeratorTest, ShowsControlAndBidirectionalCharactersPercentEncoded) {
  const struct {
    const char* name;
    std::string location;
    std::string shown;
  } cases[] = {
      {"a line feed", "https://a.example/\nnext", "https://a.example/%0Anext"},
      {"CR, tab and NUL", "https://a.example/\r\t\0x"s, "https://a.example/%0D%09%00x"},
      {"DEL and ESC", "https://a.example/\x7F\x1B[31m", "https://a.example/%7F%1B[31m"},
      {"C1 controls", "https://a.example/\u0085x\u009B", "https://a.example/%C2%85x%C2%9B"},
      {"a right-to-left override", "https://a.example/\u202Egnp.exe",
       "https://a.example/%E2%80%AEgnp.exe"},
      {"the other bidirectional controls",
       "\u200E\u200F\u202A\u202B\u202C\u202D\u2066\u2067\u2068\u2069\u061C",
       "%E2%80%8E%E2%80%8F%E2%80%AA%E2%80%AB%E2%80%AC%E2%80%AD%E2%81%A6%E2%81%A7%E2%81%A8%E2%81%A9"
       "%D8%9C"},
      {"line and paragraph separators", "https://a.example/\u2028\u2029",
       "https://a.example/%E2%80%A8%E2%80%A9"},
      {"letters of any script stay", "https://a.example/caf\u00E9/\u65E5\u672C",
       "https://a.example/caf\u00E9/\u65E5\u672C"},
      {"escapes stay as they are", "https://a.example/%0A%E2%80%AE",
       "https://a.example/%0A%E2%80%AE"},
      {"a byte that is no UTF-8 reads as Windows-1252", "https://a.example/caf\xE9",
       "https://a.example/caf\u00E9"},
  };
  std::vector<std::optional<Window>> windows;
  for (const auto& c : cases) {
    windows.push_back(Page(c.location));
  }
  TfrmEnumerator picker(messages_, Windows(windows));
  const std::vector<std::string> entries = Entries(picker);
  ASSERT_EQ(entries.size(), std::size(cases));
  auto* list = picker.findChild<QListWidget*>("lbxBrowsers");
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(cases[i].name);
    EXPECT_EQ(entries[i], cases[i].shown);
    list->setCurrentRow(static_cast<int>(i));
    EXPECT_EQ(picker.SelectedLocation(), cases[i].shown);
  }
}

// However many pages are open, the list holds at most 10,000 locations; when there are more, a
// last line that is no location says so, and it cannot be chosen.
TEST_F(TfrmEnumeratorTest, ListsAtMostTenThousandLocationsAndSaysWhenThereAreMore) {
  constexpr int kListed = 10'000;
  // `count` pages, each after a folder window, which is not listed and does not count.
  const auto openPages = [](int count) {
    std::vector<std::optional<Window>> windows;
    for (int i = 0; i < count; ++i) {
      windows.push_back(Window{true, "file:///home/ann", true});
      windows.push_back(Page("https://example.org/tab/" + std::to_string(i)));
    }
    return Windows(std::move(windows));
  };

  TfrmEnumerator all(messages_, openPages(kListed));
  EXPECT_EQ(all.LocationCount(), kListed);
  EXPECT_EQ(Entries(all).back(), "https://example.org/tab/9999") << "no line says more";

  TfrmEnumerator cut(messages_, openPages(25'000));
  EXPECT_EQ(cut.LocationCount(), kListed);
  const std::vector<std::string> entries = Entries(cut);
  ASSERT_EQ(entries.size(), std::size_t{kListed} + 1);
  EXPECT_EQ(entries[kListed - 1], "https://example.org/tab/9999");
  EXPECT_EQ(entries.back(), "Only the first 10,000 open pages are listed.");

  cut.show();
  auto* list = cut.findChild<QListWidget*>("lbxBrowsers");
  list->scrollToBottom();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    list->visualItemRect(list->item(kListed)).center());
  list->setCurrentRow(kListed);
  EXPECT_EQ(cut.SelectedLocation(), "");
  EXPECT_EQ(Click(cut, "btnSave"), -1);
  ASSERT_EQ(messages_.Messages().size(), 1U);
  EXPECT_EQ(messages_.Messages()[0].text, "Please select a URL.");
}

TEST_F(TfrmEnumeratorTest, WindowsThatCannotBeListedAreReportedAndThePickerStillOpens) {
  RecordedErrors errors;
  TfrmEnumerator picker(messages_, []() -> browsers::ShellWindows {
    throw Failure("Cannot read the open windows.");
  });
  EXPECT_THAT(errors.Take(), ElementsAre("Cannot read the open windows."));
  EXPECT_EQ(picker.LocationCount(), 0);
}

// The picker opens in its list: Down picks the first location and Enter saves it, as Save is the
// default; Enter with none picked says so and leaves the focus in the list; Escape cancels.
TEST_F(TfrmEnumeratorTest, TheKeysPickALocationSaveItAndCancel) {
  TfrmEnumerator picker(messages_,
                        Windows({Page("https://a.example/"), Page("https://b.example/")}));
  ASSERT_TRUE(Activate(picker));
  const auto press = [&picker](Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    return ClosingResult(picker, [&] { PressKey(key, modifiers); });
  };
  EXPECT_EQ(Focused(), "lbxBrowsers");

  picker.findChild<QPushButton*>("btnSave")->setFocus();
  EXPECT_EQ(press(Qt::Key_Return), -1);
  ASSERT_EQ(messages_.Messages().size(), 1U);
  EXPECT_EQ(messages_.Messages()[0].text, "Please select a URL.");
  EXPECT_EQ(Focused(), "lbxBrowsers") << "back to the list";

  press(Qt::Key_Down);
  EXPECT_EQ(press(Qt::Key_Return), kModalResultOk);
  EXPECT_EQ(picker.SelectedLocation(), "https://a.example/");

  ASSERT_TRUE(Activate(picker));
  press(Qt::Key_Down);
  EXPECT_EQ(press(Qt::Key_Return), kModalResultOk);
  EXPECT_EQ(picker.SelectedLocation(), "https://b.example/");

  ASSERT_TRUE(Activate(picker));
  EXPECT_THAT(FocusAfterMnemonics(*picker.findChild<QPushButton*>("btnCancel"), {Qt::Key_L}),
              ElementsAre("lbxBrowsers"));
  EXPECT_EQ(press(Qt::Key_Escape), kModalResultCancel);
}

TEST_F(TfrmEnumeratorTest, KeepsItsDesignedLayoutAndGrowsWithItsWindow) {
  TfrmEnumerator picker(messages_, Windows({Page("https://example.org/" + std::string(300, 'x'))}));
  EXPECT_EQ(picker.windowTitle(), "Insert browser location");
  EXPECT_EQ(picker.size(), QSize(430, 318));
  EXPECT_NE(picker.minimumSize(), picker.maximumSize()) << "the frame can be resized";
  ExpectDesignedControls(
      picker,
      {
          {"lblSelectLocation", "Select &location from actives browsers:", {10, 7, 224, 16}, false},
          {"lbxBrowsers", nullptr, {9, 24, 408, 246}, false},
          {"btnSave", "&Save", {285, 280, 65, 21}, true},
          {"btnCancel", "&Cancel", {354, 280, 65, 21}, true},
      });
  EXPECT_THAT(CaptionsThatDoNotFit(picker), IsEmpty());
  EXPECT_THAT(TabChain(picker, "lbxBrowsers"), ElementsAre("lbxBrowsers", "btnSave", "btnCancel"));
  EXPECT_THAT(MnemonicProblems(picker), IsEmpty());

  picker.show();
  picker.resize(530, 418);
  EXPECT_EQ(picker.findChild<QWidget*>("lbxBrowsers")->geometry(), QRect(9, 24, 508, 346));
  EXPECT_EQ(picker.findChild<QWidget*>("btnSave")->geometry(), QRect(385, 380, 65, 21));
  EXPECT_EQ(picker.findChild<QWidget*>("lblSelectLocation")->geometry(), QRect(10, 7, 224, 16));
  auto* list = picker.findChild<QListWidget*>("lbxBrowsers");
  EXPECT_GT(list->horizontalScrollBar()->maximum(), 0) << "a long entry scrolls sideways";
}

}  // namespace
}  // namespace lintavo::test
