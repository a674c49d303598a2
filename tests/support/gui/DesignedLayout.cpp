#include "support/gui/DesignedLayout.h"

#include <gtest/gtest.h>

#include <QVariant>
#include <QWidget>

namespace lintavo::test {

void ExpectDesignedControls(const QWidget& window, const std::vector<DesignedControl>& design) {
  for (const DesignedControl& control : design) {
    SCOPED_TRACE(control.name);
    const auto* widget = window.findChild<QWidget*>(control.name);
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->geometry(), control.geometry);
    EXPECT_EQ(widget->cursor().shape() == Qt::PointingHandCursor, control.handCursor);
    if (control.caption != nullptr) {
      EXPECT_EQ(widget->property("text").toString().toStdString(), control.caption);
    }
  }
}

std::vector<std::string> TabChain(const QWidget& window, const char* first) {
  std::vector<std::string> chain;
  auto* start = window.findChild<QWidget*>(first);
  if (start == nullptr) {
    ADD_FAILURE() << "no control " << first;
    return chain;
  }
  QWidget* widget = start;
  do {
    if ((widget->focusPolicy() & Qt::TabFocus) && !widget->objectName().isEmpty()) {
      chain.push_back(widget->objectName().toStdString());
    }
    widget = widget->nextInFocusChain();
  } while (widget != start && chain.size() < 100);
  return chain;
}

}  // namespace lintavo::test
