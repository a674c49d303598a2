#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QPixmap>
#include <QPointer>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTreeWidget>
#include <filesystem>

#include "help/HelpEngine.h"
#include "support/HelpEngineRegistration.h"
#include "support/TestEnvironment.h"
#include "support/gui/Mnemonics.h"

namespace lintavo::test {
namespace {

namespace fs = std::filesystem;

// The real help engine, loaded as the program loads it, with the help file the build compiled.
class HelpWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterHelpEngine(LINTAVO_HELP_ENGINE);
    LoadHelpEngine();
    ASSERT_NE(HtmlHelpEntry(), nullptr);
  }
  void TearDown() override {
    for (QWidget* window : HelpWindows()) {
      delete window;
    }
  }

  static std::vector<QWidget*> HelpWindows() {
    std::vector<QWidget*> windows;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (widget->objectName() == "HelpWindow") {
        windows.push_back(widget);
      }
    }
    return windows;
  }

  // Asks the engine for the help file at `path`; the one help window that shows it.
  QMainWindow& Open(const std::string& path) {
    handle_ = HtmlHelpEntry()(0, path.c_str(), HH_DISPLAY_TOPIC, 0);
    const auto windows = HelpWindows();
    EXPECT_EQ(windows.size(), 1U);
    auto* window = qobject_cast<QMainWindow*>(windows.front());
    EXPECT_TRUE(window && window->isVisible());
    return *window;
  }

  template <typename T>
  static T& Part(QWidget& window, const char* name) {
    T* part = window.findChild<T*>(name);
    EXPECT_NE(part, nullptr) << name;
    return *part;
  }
  static QTextBrowser& Page(QWidget& window) { return Part<QTextBrowser>(window, "helpPage"); }
  static QAction& Action(QWidget& window, const char* name) { return Part<QAction>(window, name); }

  // Clicks the link to `href` on the page shown, where a person would click it.
  static void ClickLink(QTextBrowser& page, const QString& href) {
    for (QTextBlock block = page.document()->begin(); block.isValid(); block = block.next()) {
      for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
        if (fragment.fragment().charFormat().anchorHref() == href) {
          QTextCursor cursor(page.document());
          cursor.setPosition(fragment.fragment().position() + 1);
          const QPoint place = page.cursorRect(cursor).center();
          QTest::mouseClick(page.viewport(), Qt::LeftButton, {}, place);
          return;
        }
      }
    }
    ADD_FAILURE() << "no link to " << href.toStdString();
  }

  // Opens the help file as the reader gets it: the window in front, taking keys.
  QMainWindow& OpenActive() {
    QMainWindow& window = Open(LINTAVO_HELP_FILE);
    window.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    return window;
  }

  // Presses a key where the focus is, as the keyboard would.
  static void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    QTest::keyClick(focus, static_cast<Qt::Key>(key), modifiers);
  }

  // The name of the control that has the focus; the tab bar is "tabs".
  static std::string FocusName(QWidget& window) {
    QWidget* focus = QApplication::focusWidget();
    if (focus == nullptr) {
      return "(none)";
    }
    if (focus == Part<QTabWidget>(window, "helpTabs").tabBar()) {
      return "tabs";
    }
    return focus->objectName().toStdString();
  }

  IsolatedHome home_;
  ScopedHelpEngineRelease release_;
  os::WindowHandle handle_ = 0;
};

TEST_F(HelpWindowTest, TheHelpFileOpensAtItsFirstPageWithItsContentsIndexAndPictures) {
  QMainWindow& window = Open(LINTAVO_HELP_FILE);
  EXPECT_NE(handle_, 0U);
  EXPECT_EQ(window.windowTitle(), "Lintavo Help");
  EXPECT_EQ(window.parentWidget(), nullptr) << "the help belongs to no other window";
  EXPECT_FALSE(window.isModal());

  QTextBrowser& page = Page(window);
  EXPECT_EQ(page.source(), QUrl("chm:/index.htm"));
  EXPECT_TRUE(page.toPlainText().startsWith("Getting started"));
  const QVariant picture =
      page.document()->resource(QTextDocument::ImageResource, QUrl("images/main-window.png"));
  // A picture shown is kept decoded; before that, as the bytes read from the file.
  const QSize size = picture.typeId() == QMetaType::QPixmap
                         ? picture.value<QPixmap>().size()
                         : QImage::fromData(picture.toByteArray()).size();
  EXPECT_EQ(size, QSize(395, 228)) << picture.typeName();

  auto& contents = Part<QTreeWidget>(window, "helpContents");
  ASSERT_EQ(contents.topLevelItemCount(), 7);
  EXPECT_EQ(contents.topLevelItem(0)->text(0), "Getting started");
  EXPECT_EQ(contents.topLevelItem(1)->text(0), "Your pages");
  EXPECT_EQ(contents.topLevelItem(1)->childCount(), 5);
  EXPECT_EQ(contents.topLevelItem(6)->text(0), "Troubleshooting");
  auto& index = Part<QListWidget>(window, "helpIndex");
  EXPECT_EQ(index.count(), 42);
}

TEST_F(HelpWindowTest, LinksContentsAndIndexLeadToPagesAndBackAndForwardReturn) {
  QMainWindow& window = Open(LINTAVO_HELP_FILE);
  QTextBrowser& page = Page(window);
  QAction& back = Action(window, "helpBack");
  QAction& forward = Action(window, "helpForward");
  EXPECT_FALSE(back.isEnabled());

  ClickLink(page, "editing.htm");
  EXPECT_EQ(page.source(), QUrl("chm:/editing.htm"));
  EXPECT_TRUE(page.toPlainText().startsWith("Editing a page and its links"));
  ASSERT_TRUE(back.isEnabled());
  back.trigger();
  EXPECT_EQ(page.source(), QUrl("chm:/index.htm"));
  ASSERT_TRUE(forward.isEnabled());
  forward.trigger();
  EXPECT_EQ(page.source(), QUrl("chm:/editing.htm"));

  auto& contents = Part<QTreeWidget>(window, "helpContents");
  QTreeWidgetItem* moving = contents.topLevelItem(1)->child(1);
  QTest::mouseClick(contents.viewport(), Qt::LeftButton, {},
                    contents.visualItemRect(moving).center());
  EXPECT_EQ(page.source(), QUrl("chm:/moving-links.htm"));

  auto& indexFilter = Part<QLineEdit>(window, "helpIndexFilter");
  QTest::keyClicks(&indexFilter, "DEBUG");
  EXPECT_EQ(Part<QListWidget>(window, "helpIndex").currentItem()->text(), "debug.debug");
  QTest::keyClick(&indexFilter, Qt::Key_Return);
  EXPECT_EQ(page.source(), QUrl("chm:/diagnostics.htm"));
}

TEST_F(HelpWindowTest, ASecondCallRaisesTheSameWindowWhereTheReaderLeftIt) {
  QMainWindow& window = Open(LINTAVO_HELP_FILE);
  const os::WindowHandle first = handle_;
  ClickLink(Page(window), "options.htm");
  window.showMinimized();

  QMainWindow& again = Open(LINTAVO_HELP_FILE);
  EXPECT_EQ(&again, &window);
  EXPECT_EQ(handle_, first);
  EXPECT_FALSE(again.isMinimized());
  EXPECT_EQ(Page(again).source(), QUrl("chm:/options.htm"));
}

TEST_F(HelpWindowTest, AMissingOrDamagedHelpFileIsNamedInTheWindow) {
  const TempFolder folder;
  const std::string good = ReadFileBytes(LINTAVO_HELP_FILE);
  const struct {
    const char* what;
    std::string bytes;  // written to the file; "(none)" leaves it missing
  } cases[] = {
      {"missing", "(none)"},
      {"empty", ""},
      {"not a help file", "<html><body>Lintavo</body></html>\n"},
      {"its headers cut off", good.substr(0, 40)},
      {"cut in half", good.substr(0, good.size() / 2)},
      {"its last bytes cut off", good.substr(0, good.size() - 16)},
  };
  for (const auto& bad : cases) {
    SCOPED_TRACE(bad.what);
    const std::string path = folder / (std::string(bad.what) + ".chm");
    if (bad.bytes != "(none)") {
      WriteFileBytes(path, bad.bytes);
    }
    QMainWindow& window = Open(path);
    const QString text = Page(window).toPlainText();
    EXPECT_TRUE(text.contains("missing or damaged")) << text.toStdString();
    EXPECT_TRUE(text.contains(QString::fromStdString(path))) << text.toStdString();
    EXPECT_EQ(Part<QTreeWidget>(window, "helpContents").topLevelItemCount(), 0);
    EXPECT_EQ(Part<QListWidget>(window, "helpIndex").count(), 0);
    TearDown();
  }
}

TEST_F(HelpWindowTest, EscapeAndCtrlWCloseTheWindowWhereverTheFocusIs) {
  const struct {
    const char* name;
    int key;
    Qt::KeyboardModifiers modifiers;
  } keys[] = {{"Escape", Qt::Key_Escape, Qt::NoModifier},
              {"Ctrl+W", Qt::Key_W, Qt::ControlModifier}};
  const struct {
    const char* focus;
    int tab;  // the tab shown: 0 the contents, 1 the index
  } places[] = {{"helpContents", 0}, {"helpIndexFilter", 1}, {"helpIndex", 1}, {"helpPage", 0}};
  for (const auto& key : keys) {
    for (const auto& [place, tab] : places) {
      SCOPED_TRACE(std::string(key.name) + " in " + place);
      QPointer<QMainWindow> window = &OpenActive();
      ClickLink(Page(*window), "options.htm");
      Part<QTabWidget>(*window, "helpTabs").setCurrentIndex(tab);
      QTest::keyClicks(&Part<QLineEdit>(*window, "helpIndexFilter"), "home");
      Part<QWidget>(*window, place).setFocus();
      ASSERT_EQ(FocusName(*window), place);

      Press(key.key, key.modifiers);
      EXPECT_FALSE(window->isVisible());
      QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
      EXPECT_TRUE(window.isNull()) << "a closed help window is gone";
    }
  }
  // Asked again, the help opens afresh at its first page.
  EXPECT_EQ(Page(OpenActive()).source(), QUrl("chm:/index.htm"));
}

TEST_F(HelpWindowTest, TabGoesThroughTheWindowInReadingOrderAndEachPartHasItsLetter) {
  QMainWindow& window = OpenActive();
  auto& tabs = Part<QTabWidget>(window, "helpTabs");
  EXPECT_EQ(FocusName(window), "helpContents") << "the help opens with the focus in its contents";

  // The focus stops Tab and Shift+Tab make from the tab bar until they are back there; the page's
  // links are stops inside the page.
  const auto stops = [&window, &tabs](int key, Qt::KeyboardModifiers modifiers) {
    tabs.tabBar()->setFocus();
    std::vector<std::string> seen{FocusName(window)};
    for (int press = 0; press < 40; ++press) {
      Press(key, modifiers);
      if (FocusName(window) == "tabs") {
        return seen;
      }
      if (FocusName(window) != seen.back()) {
        seen.push_back(FocusName(window));
      }
    }
    seen.push_back("(Tab never came back to the tabs)");
    return seen;
  };
  using Stops = std::vector<std::string>;
  EXPECT_EQ(stops(Qt::Key_Tab, Qt::NoModifier), (Stops{"tabs", "helpContents", "helpPage"}));
  EXPECT_EQ(stops(Qt::Key_Tab, Qt::ShiftModifier), (Stops{"tabs", "helpPage", "helpContents"}));
  EXPECT_THAT(MnemonicProblems(window), ::testing::IsEmpty());
  tabs.setCurrentIndex(1);
  EXPECT_EQ(stops(Qt::Key_Tab, Qt::NoModifier),
            (Stops{"tabs", "helpIndexFilter", "helpIndex", "helpPage"}));
  EXPECT_EQ(stops(Qt::Key_Tab, Qt::ShiftModifier),
            (Stops{"tabs", "helpPage", "helpIndex", "helpIndexFilter"}));
  EXPECT_THAT(MnemonicProblems(window), ::testing::IsEmpty());

  // Alt+letter from the page: a tab's letter goes into that tab, a label's into its box, a
  // button's presses it.
  QTextBrowser& page = Page(window);
  ClickLink(page, "editing.htm");
  const struct {
    char letter;
    const char* focus;  // where the focus is then
    const char* shown;  // the page shown then
  } letters[] = {
      {'I', "helpIndexFilter", "chm:/editing.htm"}, {'C', "helpContents", "chm:/editing.htm"},
      {'B', "helpPage", "chm:/index.htm"},          {'F', "helpPage", "chm:/editing.htm"},
      {'H', "helpPage", "chm:/index.htm"},
  };
  for (const auto& step : letters) {
    SCOPED_TRACE(std::string("Alt+") + step.letter);
    page.setFocus();
    Press(Qt::Key_A + (step.letter - 'A'), Qt::AltModifier);
    // A button pressed by its letter shows itself pressed for a moment first.
    EXPECT_TRUE(QTest::qWaitFor([&] { return page.source() == QUrl(step.shown); }))
        << page.source().toString().toStdString();
    EXPECT_EQ(FocusName(window), step.focus);
  }
  tabs.setCurrentIndex(1);
  Part<QWidget>(window, "helpIndex").setFocus();
  Press(Qt::Key_K, Qt::AltModifier);
  EXPECT_EQ(FocusName(window), "helpIndexFilter");
}

TEST_F(HelpWindowTest, APageLinkIsFollowedFromTheKeyboard) {
  QMainWindow& window = OpenActive();
  Part<QWidget>(window, "helpContents").setFocus();
  Press(Qt::Key_Tab);
  Press(Qt::Key_Tab);
  Press(Qt::Key_Return);
  EXPECT_EQ(Page(window).source().toString(), "chm:/editing.htm") << "the page's first link";
}

TEST_F(HelpWindowTest, TheIndexReadsAlphabeticallyCapitalsOrNot) {
  QMainWindow& window = Open(LINTAVO_HELP_FILE);
  auto& index = Part<QListWidget>(window, "helpIndex");
  QStringList names;
  for (int row = 0; row < index.count(); ++row) {
    names.push_back(index.item(row)->text());
  }
  for (qsizetype row = 1; row < names.size(); ++row) {
    EXPECT_LE(QString::compare(names[row - 1], names[row], Qt::CaseInsensitive), 0)
        << names[row - 1].toStdString() << " before " << names[row].toStdString();
  }
  const qsizetype homePage = names.indexOf("home page");
  ASSERT_GE(homePage, 0);
  EXPECT_EQ(names.value(homePage + 1).toStdString(), "Home Page Settings");

  auto& filter = Part<QLineEdit>(window, "helpIndexFilter");
  QTest::keyClicks(&filter, "home page s");
  EXPECT_EQ(index.currentItem()->text().toStdString(), "Home Page Settings");
  QTest::keyClick(&filter, Qt::Key_Return);
  EXPECT_EQ(Page(window).source(), QUrl("chm:/editing.htm"));
}

TEST_F(HelpWindowTest, TheContentsShowThePageShownHoweverItWasReached) {
  QMainWindow& window = Open(LINTAVO_HELP_FILE);
  auto& contents = Part<QTreeWidget>(window, "helpContents");
  QTextBrowser& page = Page(window);
  const auto shownInContents = [&contents] {
    const QTreeWidgetItem* item = contents.currentItem();
    return item != nullptr && item->isSelected() ? item->text(0).toStdString() : "(none)";
  };
  EXPECT_EQ(shownInContents(), "Getting started");

  ClickLink(page, "editing.htm");
  EXPECT_EQ(shownInContents(), "Editing a page and its links");

  // An entry under a closed heading is opened to view.
  QTreeWidgetItem* yourPages = contents.topLevelItem(1);
  yourPages->setExpanded(false);
  Part<QTabWidget>(window, "helpTabs").setCurrentIndex(1);
  auto& filter = Part<QLineEdit>(window, "helpIndexFilter");
  QTest::keyClicks(&filter, "moving");
  QTest::keyClick(&filter, Qt::Key_Return);
  EXPECT_EQ(page.source(), QUrl("chm:/moving-links.htm"));
  EXPECT_EQ(shownInContents(), "Moving links");
  EXPECT_TRUE(yourPages->isExpanded());
  EXPECT_TRUE(contents.viewport()->rect().contains(
      contents.visualItemRect(contents.currentItem()).center()));

  Action(window, "helpBack").trigger();
  EXPECT_EQ(shownInContents(), "Editing a page and its links");
  Action(window, "helpHome").trigger();
  EXPECT_EQ(shownInContents(), "Getting started");
}

}  // namespace
}  // namespace lintavo::test
