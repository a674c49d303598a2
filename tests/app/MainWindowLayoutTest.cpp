#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QLabel>
#include <QRect>
#include <vector>

#include "support/gui/CaptionFit.h"
#include "support/gui/DesignedLayout.h"
#include "support/gui/MainWindowFixture.h"

namespace lintavo::test {
namespace {

class MainWindowLayoutTest : public MainWindowFixture {};

using ::testing::IsEmpty;

const std::vector<DesignedControl> kDesign = {
    {"bsSkinStdLabel1", "Select the home &page to edit:", {10, 7, 173, 16}, false},
    {"cbxWebPages", nullptr, {13, 26, 367, 21}, false},
    {"btnEditLinks", "&Edit", {13, 58, 80, 20}, true},
    {"btnEditBackground", "Select &Background", {96, 58, 199, 20}, true},
    {"btnView", "&View", {298, 58, 81, 20}, true},
    {"btnSetHomePage", "&Set selected page as your browser's home page", {13, 90, 251, 20}, true},
    {"bsSkinButton2", "&Check for updates", {268, 91, 111, 20}, true},
    {"bsSkinButton1", "&Options", {13, 124, 88, 21}, true},
    {"editAbout", "&About", {105, 124, 88, 21}, true},
    {"btnHelp", "&Help", {198, 124, 89, 21}, true},
    {"btnClose", "E&xit", {291, 124, 89, 21}, true},
    {"imgLogo", nullptr, {12, 158, 370, 60}, true},
};

TEST_F(MainWindowLayoutTest, ControlsHaveTheirDesignedNamesCaptionsPlacesAndCursors) {
  ExpectDesignedControls(Start(), kDesign);
}

TEST_F(MainWindowLayoutTest, WindowIsAFixedSizeLintavoWindowWithMinimizeButOnlyThat) {
  TfrmMain& window = Start();
  EXPECT_EQ(window.windowTitle(), "Lintavo");
  EXPECT_EQ(window.size(), QSize(395, 228));
  EXPECT_EQ(window.minimumSize(), window.maximumSize());
  EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
}

TEST_F(MainWindowLayoutTest, EveryCaptionFitsItsControlWithTheSkinsFont) {
  EXPECT_THAT(CaptionsThatDoNotFit(Start()), IsEmpty());
}

TEST_F(MainWindowLayoutTest, TheLogoShowsTheBannerStretchedToItsBox) {
  const auto* logo = Start().findChild<QLabel*>("imgLogo");
  ASSERT_NE(logo, nullptr);
  EXPECT_EQ(logo->pixmap().size(), QSize(370, 60));
  EXPECT_TRUE(logo->hasScaledContents());
}

}  // namespace
}  // namespace lintavo::test
