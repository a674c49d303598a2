#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QPaintEvent>
#include <QTest>
#include <QWidget>

#include "app/AfterFirstPaint.h"

namespace lintavo::test {
namespace {

// A window that counts its paints.
class CountingWindow : public QWidget {
 public:
  int paints = 0;

 protected:
  void paintEvent(QPaintEvent*) override { ++paints; }
};

TEST(AfterFirstPaintTest, RunsOnceAfterTheWindowIsPaintedAndNotBefore) {
  CountingWindow window;
  int runs = 0;
  int paintsWhenRun = -1;
  RunAfterFirstPaint(window, [&] {
    ++runs;
    paintsWhenRun = window.paints;
  });
  QCoreApplication::processEvents();
  EXPECT_EQ(runs, 0) << "an unshown window is never painted";

  window.show();
  ASSERT_TRUE(QTest::qWaitFor([&] { return runs > 0; }));
  EXPECT_EQ(paintsWhenRun, 1) << "the paint finished before the work ran";

  window.repaint();
  QCoreApplication::processEvents();
  EXPECT_EQ(runs, 1);
}

}  // namespace
}  // namespace lintavo::test
