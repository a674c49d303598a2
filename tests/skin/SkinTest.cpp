#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>
#include <QWidget>
#include <cmath>

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

// The contrast of two colours, as the accessibility guidelines measure it: 1 for the same
// luminance, 21 for black on white.
double Contrast(QColor a, QColor b) {
  const auto luminance = [](QColor colour) {
    const auto linear = [](double channel) {
      return channel <= 0.03928 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
  };
  const double lighter = std::max(luminance(a), luminance(b));
  const double darker = std::min(luminance(a), luminance(b));
  return (lighter + 0.05) / (darker + 0.05);
}

// The focused control shows a ring at least 2 pixels wide on every side, which stands out 3:1
// from the window's background; when the focus moves on, the ring goes.
TEST(SkinTest, TheFocusedControlHasARingThatStandsOutFromTheWindow) {
  QDialog window;
  window.resize(300, 200);
  QWidget* const controls[] = {
      new QPushButton("Save", &window), new QLineEdit("text", &window), new QComboBox(&window),
      new QTableWidget(2, 2, &window),  new QTextEdit("help", &window), new QToolButton(&window),
  };
  auto* elsewhere = new QPushButton("Elsewhere", &window);
  elsewhere->setGeometry(10, 160, 80, 20);
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  const QColor background = window.grab().toImage().pixelColor(295, 195);

  for (QWidget* control : controls) {
    SCOPED_TRACE(control->metaObject()->className());
    control->setGeometry(10, 10, 120, 60);
    control->setFocus();
    ASSERT_TRUE(control->hasFocus());
    const QImage focused = control->grab().toImage();
    const QSize size = focused.size();
    // The two outermost pixels at the middle of each side.
    const QPoint ring[] = {{0, size.height() / 2},
                           {1, size.height() / 2},
                           {size.width() - 1, size.height() / 2},
                           {size.width() - 2, size.height() / 2},
                           {size.width() / 2, 0},
                           {size.width() / 2, 1},
                           {size.width() / 2, size.height() - 1},
                           {size.width() / 2, size.height() - 2}};
    for (const QPoint& point : ring) {
      EXPECT_GE(Contrast(focused.pixelColor(point), background), 3.0)
          << point.x() << "," << point.y();
    }

    elsewhere->setFocus();
    const QImage unfocused = control->grab().toImage();
    EXPECT_NE(unfocused.pixelColor(1, size.height() / 2), focused.pixelColor(1, size.height() / 2))
        << "the ring stays without the focus";
    control->hide();
  }
}

}  // namespace
}  // namespace lintavo::test
