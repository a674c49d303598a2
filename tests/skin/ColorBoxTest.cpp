#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QLabel>
#include <QWidget>
#include <string>
#include <vector>

#include "skin/ColorBox.h"

namespace lintavo::test {
namespace {

// How far a colour is from white, as the sum of its channels' distances.
int DistanceFromWhite(QColor colour) {
  return (255 - colour.red()) + (255 - colour.green()) + (255 - colour.blue());
}

// The first and last column of `image` in which anything is drawn; -1 when none.
int FirstDrawnColumn(const QImage& image) {
  for (int x = 0; x < image.width(); ++x) {
    for (int y = 0; y < image.height(); ++y) {
      if (image.pixelColor(x, y).alpha() > 0) {
        return x;
      }
    }
  }
  return -1;
}

int LastDrawnColumn(const QImage& image) {
  return image.width() - 1 - FirstDrawnColumn(image.mirrored(true, false));
}

// White shows in the list as a swatch with a frame, not as a gap before its name.
TEST(ColorBoxTest, EverySwatchHasAFrameSoThatWhiteShows) {
  ColorBox box;
  for (int item = 0; item < box.count(); ++item) {
    SCOPED_TRACE(box.itemText(item).toStdString());
    const QImage swatch = box.itemIcon(item).pixmap(box.iconSize()).toImage();
    ASSERT_FALSE(swatch.isNull());
    const QColor frame = swatch.pixelColor(0, swatch.height() / 2);
    EXPECT_GT(DistanceFromWhite(frame), 3 * 128) << "a frame that shows on the list's white";
    EXPECT_EQ(swatch.pixelColor(swatch.width() - 1, 0), frame);
  }
  const QImage white = box.itemIcon(box.findText("White")).pixmap(box.iconSize()).toImage();
  EXPECT_EQ(white.pixelColor(white.width() / 2, white.height() / 2), QColor(Qt::white));
}

// The page settings' colour labels stand right before their boxes; in their designed places the
// text of each ends a few pixels before the box's frame begins.
TEST(ColorBoxTest, AColourLabelsTextDoesNotTouchItsBox) {
  struct Pair {
    const char* caption;
    QRect label;
    QRect box;
  };
  const std::vector<Pair> pairs = {
      {"&Link text color:", {9, 35, 83, 16}, {84, 33, 97, 17}},
      {"&Title text color:", {197, 35, 85, 16}, {272, 33, 98, 17}},
  };
  QWidget window;
  window.resize(400, 60);
  std::vector<QLabel*> labels;
  for (const Pair& pair : pairs) {
    auto* label = new QLabel(pair.caption, &window);
    label->setGeometry(pair.label);
    auto* box = new ColorBox(&window);
    box->setGeometry(pair.box);
    box->SetColor(0xFFFFFF);
    label->setBuddy(box);
    labels.push_back(label);
  }
  window.show();
  const QImage drawn = window.grab().toImage();
  const QColor background = drawn.pixelColor(window.width() - 1, window.height() - 1);
  for (std::size_t i = 0; i < pairs.size(); ++i) {
    const Pair& pair = pairs[i];
    SCOPED_TRACE(pair.caption);
    // The text's last column, drawn on its own; then, in the window, the first column right of
    // the box's left edge where anything is drawn at the height of the box's middle.
    const int textEnd = pair.label.left() + LastDrawnColumn(labels[i]->grab().toImage());
    const int y = pair.box.center().y();
    int frameStart = pair.box.left();
    while (frameStart < pair.box.right() && drawn.pixelColor(frameStart, y) == background) {
      ++frameStart;
    }
    EXPECT_GE(frameStart - textEnd, 4) << "text ends at " << textEnd << ", frame at " << frameStart;
    EXPECT_LE(frameStart - pair.box.left(), 6) << "the box keeps most of its width";
  }
}

}  // namespace
}  // namespace lintavo::test
