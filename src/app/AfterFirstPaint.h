#pragma once

#include <functional>

class QWidget;

namespace lintavo {

// Runs `work` once, on the event loop, right after `window` is first painted: work the user does
// not wait for then never holds up the window's first appearance. Posted at show time instead, it
// would run before the paint, which waits for the window system. Nothing runs when the window is
// destroyed unpainted.
void RunAfterFirstPaint(QWidget& window, std::function<void()> work);

}  // namespace lintavo
