#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QRect>
#include <cstdlib>
#include <vector>

#include "app/AppResources.h"
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

// A screen scaled above 100 % gets the banner drawn at twice the size, which takes the same room;
// both are the same picture.
TEST_F(MainWindowLayoutTest, ScaledScreensGetTheBannerDrawnAtTwiceTheSize) {
  const QPixmap designed = LogoBanner(1);
  ASSERT_EQ(designed.size(), QSize(370, 60));
  for (const qreal ratio : {1.25, 2.0}) {
    SCOPED_TRACE(ratio);
    const QPixmap sharp = LogoBanner(ratio);
    EXPECT_EQ(sharp.size(), QSize(740, 120));
    EXPECT_EQ(sharp.deviceIndependentSize(), QSizeF(370, 60));
  }
  // Halved, the large one matches the designed one up to the edges of the letters and lines.
  const QImage halved =
      LogoBanner(2).toImage().scaled(370, 60, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  const QImage original = designed.toImage();
  int differentPixels = 0;
  for (int y = 0; y < 60; ++y) {
    for (int x = 0; x < 370; ++x) {
      const QColor a = halved.pixelColor(x, y);
      const QColor b = original.pixelColor(x, y);
      const int difference = std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
                             std::abs(a.blue() - b.blue());
      differentPixels += difference > 60 ? 1 : 0;
    }
  }
  EXPECT_LT(differentPixels, 370 * 60 / 20) << "not the same picture";
}

}  // namespace
}  // namespace lintavo::test
