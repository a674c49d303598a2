#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "os/ProfileFile.h"
#include "os/Registry.h"
#include "pages/BrowserSettings.h"
#include "pages/PageFiles.h"
#include "pages/ProductIdentity.h"
#include "skin/ModalDialogs.h"
#include "support/RecordingBrowser.h"
#include "support/gui/MainWindowFixture.h"

namespace lintavo::test {
namespace {

class MainWindowCommandsTest : public MainWindowFixture {};

namespace fs = std::filesystem;
using ::testing::ElementsAre;

// Edit's dialog, scripted: a plain dialog stands in for the page settings dialog.
MainWindowDialogs WithPageSettingsStandIn() {
  MainWindowDialogs dialogs = InstalledDialogs();
  dialogs.pageSettings = [](TfrmMain& mainWindow) -> std::unique_ptr<QDialog> {
    return std::make_unique<QDialog>(&mainWindow);
  };
  return dialogs;
}

TEST_F(MainWindowCommandsTest, PickingAPageStoresItAtOnce) {
  Start();
  PickPage(3);
  EXPECT_EQ(Window().SelectedPosition(), 3);
  EXPECT_EQ(StoredLastPage(), "3");
}

TEST_F(MainWindowCommandsTest, AFailedWriteOfTheChoiceIsReportedAndLeavesTheButtonsAsTheyWere) {
  PutLastPage("12");
  Start();
  // The settings file cannot be replaced while a folder stands in its place.
  fs::remove(ConfigFile());
  fs::create_directory(ConfigFile());

  PickPage(0);

  EXPECT_THAT(errors_.Take(), ElementsAre("Unable to write to " + ConfigFile()));
  EXPECT_FALSE(Button("btnEditLinks").isEnabled());
  EXPECT_FALSE(Button("btnEditBackground").isEnabled());
}

TEST_F(MainWindowCommandsTest, EditClosedWithOkShowsTheNewNamesAtTheSamePositionWithoutStoringIt) {
  PutLastPage("2");
  TfrmMain& window = Start(WithPageSettingsStandIn());
  PutLastPage("7");  // a marker: the rebuilt list must not store its position
  modals_.Then([&window](QDialog&) {
    window.WebManager().Pages[2].second.Name = "Holidays";
    return kModalResultOk;
  });

  Click("btnEditLinks");

  EXPECT_THAT(modals_.Shown(), ElementsAre("QDialog"));
  EXPECT_EQ(PageNames().at(2), "Holidays");
  EXPECT_EQ(PageNames().size(), 10U);
  EXPECT_EQ(window.SelectedPosition(), 2);
  EXPECT_EQ(StoredLastPage(), "7");
}

TEST_F(MainWindowCommandsTest, EditClosedAnyOtherWayLeavesTheListAlone) {
  PutLastPage("2");
  TfrmMain& window = Start(WithPageSettingsStandIn());
  modals_.Then([&window](QDialog&) {
    window.WebManager().Pages[2].second.Name = "Holidays";
    return kModalResultCancel;
  });

  Click("btnEditLinks");

  EXPECT_EQ(PageNames().at(2), "Home page 3");
}

TEST_F(MainWindowCommandsTest, ViewOpensTheSelectedPagesFileInTheBrowser) {
  const RecordingBrowser browser(home_);
  PutLastPage("2");
  Start();
  Click("btnView");
  EXPECT_THAT(browser.AwaitArguments(), ElementsAre(PagesFolder() + "/my home page 3.htm"));
}

TEST_F(MainWindowCommandsTest, TheLogoAndCheckForUpdatesOpenTheVendorsAddresses) {
  const RecordingBrowser browser(home_);
  Start();
  QTest::mouseClick(Window().findChild<QWidget*>("imgLogo"), Qt::LeftButton);
  EXPECT_THAT(browser.AwaitArguments(), ElementsAre(kVendorWebSite));
  Click("bsSkinButton2");
  EXPECT_THAT(browser.AwaitArguments(), ElementsAre(kVendorUpdatePage));
  EXPECT_TRUE(messages_.Messages().empty());
}

// With no browser to open them, the commands say so and give the file or the address, so that the
// person can open it themselves.
TEST_F(MainWindowCommandsTest, WithNoBrowserTheCommandsThatOpenOneNameWhatToOpen) {
  PutLastPage("2");
  Start();

  Click("btnView");
  Click("bsSkinButton2");
  QTest::mouseClick(Window().findChild<QWidget*>("imgLogo"), Qt::LeftButton);

  const std::string noBrowser = ": no web browser is set as the default for web pages. ";
  const std::vector<std::string> expected = {
      "The page could not be shown" + noBrowser + "To see it, open this file in your browser:\n\n" +
          PagesFolder() + "/my home page 3.htm",
      "The update page could not be opened" + noBrowser +
          "To look for updates, open this address in your browser:\n\n" + kVendorUpdatePage,
      "The web site could not be opened" + noBrowser +
          "To visit it, open this address in your browser:\n\n" + kVendorWebSite,
  };
  ASSERT_EQ(messages_.Messages().size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(messages_.Messages()[i].text, expected[i]);
    EXPECT_EQ(messages_.Messages()[i].kind, MessageKind::Information);
    EXPECT_EQ(messages_.Messages()[i].buttons, MessageButtons::Ok);
  }
}

TEST_F(MainWindowCommandsTest, ViewAndSetAsHomePageAskForAPageWhenNoneIsSelected) {
  PutLastPage("12");
  Start();
  Click("btnView");
  Click("btnSetHomePage");
  ASSERT_EQ(messages_.Messages().size(), 2U);
  EXPECT_EQ(messages_.Messages()[0].text, "Please select a page first.");
  EXPECT_EQ(messages_.Messages()[1].text, "Please select a page first.");
}

TEST_F(MainWindowCommandsTest, SetAsHomePageMakesTheSelectedPagesFileTheStartPage) {
  os::RegistryKey::Create(os::RegistryRoot::CurrentUser, kBrowserMainKey);
  os::RegistryKey::Create(os::RegistryRoot::CurrentUser, kTabbedBrowsingKey);
  PutLastPage("3");
  Start();
  messages_.Answer(kMessageResultOk);

  Click("btnSetHomePage");

  const auto key = os::RegistryKey::OpenForReading(os::RegistryRoot::CurrentUser, kBrowserMainKey);
  ASSERT_TRUE(key);
  const auto startPage = key->Query(kStartPageValue);
  ASSERT_TRUE(startPage);
  EXPECT_EQ(startPage->text, PagesFolder() + "/my home page 4.htm");
}

// The whole chain, as a person goes through it: the page's settings open for the selected page,
// and a rename saved there shows in the list.
TEST_F(MainWindowCommandsTest, EditOpensTheSelectedPagesSettingsAndASavedRenameShows) {
  PutLastPage("4");
  Start();
  modals_.Then([](QDialog& dialog) {
    auto* name = dialog.findChild<QLineEdit*>("edtName");
    EXPECT_EQ(name->text(), "Home page 5");
    name->setText("Recipes");
    QTest::mouseClick(dialog.findChild<QPushButton*>("btnSave"), Qt::LeftButton);
    return dialog.result();
  });

  Click("btnEditLinks");

  EXPECT_THAT(modals_.Shown(), ElementsAre("lintavo::TfrmHPSettings"));
  EXPECT_EQ(PageNames().at(4), "Recipes");
  EXPECT_EQ(Window().SelectedPosition(), 4);
  EXPECT_EQ(ProfileFile::Load(ConfigFile()).ReadString("HOMEPAGE-5", "Name", ""), "Recipes");
}

TEST_F(MainWindowCommandsTest, OptionsAndAboutShowTheirDialogs) {
  Start();
  Click("bsSkinButton1");
  Click("editAbout");
  EXPECT_THAT(modals_.Shown(), ElementsAre("lintavo::TfrmQuickAccess", "lintavo::TfrmAbout"));
}

TEST_F(MainWindowCommandsTest, CommandsWithoutTheirDialogOrHelpSaySoInsteadOfDoingNothing) {
  Start(MainWindowDialogs{});
  Click("btnEditLinks");
  Click("btnHelp");
  ASSERT_EQ(messages_.Messages().size(), 2U);
  EXPECT_EQ(messages_.Messages()[0].text, "This command is not available in this version.");
  EXPECT_EQ(messages_.Messages()[1].text,
            "Help is not available: the help viewer could not be loaded.");
  EXPECT_EQ(messages_.Messages()[1].kind, MessageKind::Information);
  EXPECT_THAT(modals_.Shown(), ::testing::IsEmpty());
}

TEST_F(MainWindowCommandsTest, ExitClosesTheWindow) {
  TfrmMain& window = Start();
  Click("btnClose");
  EXPECT_FALSE(window.isVisible());
}

}  // namespace
}  // namespace lintavo::test
