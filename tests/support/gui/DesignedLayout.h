#pragma once

#include <QRect>
#include <string>
#include <vector>

class QWidget;

namespace lintavo::test {

// A control as a window's design places it.
struct DesignedControl {
  const char* name;
  const char* caption;  // nullptr: the control shows no caption
  QRect geometry;
  bool handCursor;
};

// Checks every control of `window` against its design: found by name, in its place, with its
// caption and cursor.
void ExpectDesignedControls(const QWidget& window, const std::vector<DesignedControl>& design);

// The names of the controls that Tab reaches in `window`, in order, starting at `first`.
std::vector<std::string> TabChain(const QWidget& window, const char* first);

}  // namespace lintavo::test
