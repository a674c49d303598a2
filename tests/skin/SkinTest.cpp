#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QFontInfo>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include "skin/Skin.h"
#include "support/gui/CaptionFit.h"

namespace lintavo::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

// The test main applies the skin as the program does.
TEST(SkinTest, TheStyleSheetAndTheCompiledInFontAreInUse) {
  EXPECT_THAT(qApp->styleSheet().toStdString(), HasSubstr("QPushButton"));
  // The font comes from the program itself, not from whatever the machine has installed.
  EXPECT_TRUE(QFile::exists(":/skin/fonts/DejaVuSansCondensed-Latin.ttf"));
  const QFontInfo font(QApplication::font());
  EXPECT_EQ(font.family().toStdString(), kSkinFontFamily);
  EXPECT_EQ(font.pixelSize(), kSkinFontPixelSize);
}

// The caption check must catch a caption that is too wide or too high for its control, or the
// windows' caption tests would prove nothing.
TEST(SkinTest, CaptionFitReportsCaptionsTooWideOrTooHighAndPassesThoseThatFit) {
  QWidget window;
  window.resize(400, 200);
  auto* fits = new QPushButton("Set selected page as your browser's home page", &window);
  fits->setObjectName("fits");
  fits->setGeometry(13, 90, 251, 20);
  auto* tooNarrow = new QPushButton("Set selected page as your browser's home page", &window);
  tooNarrow->setObjectName("tooNarrow");
  tooNarrow->setGeometry(13, 120, 200, 20);
  auto* tooLow = new QPushButton("Exit", &window);
  tooLow->setObjectName("tooLow");
  tooLow->setGeometry(13, 150, 89, 10);
  auto* longLabel = new QLabel("Select the home page to edit:", &window);
  longLabel->setObjectName("longLabel");
  longLabel->setGeometry(10, 7, 100, 16);

  const std::vector<std::string> misfits = CaptionsThatDoNotFit(window);
  EXPECT_THAT(misfits,
              ElementsAre(HasSubstr("tooNarrow"), HasSubstr("tooLow"), HasSubstr("longLabel")));

  longLabel->resize(173, 16);
  tooNarrow->resize(251, 20);
  tooLow->resize(89, 21);
  EXPECT_THAT(CaptionsThatDoNotFit(window), IsEmpty());
}

}  // namespace
}  // namespace lintavo::test
