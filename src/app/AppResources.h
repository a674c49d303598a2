#pragma once

#include <QPixmap>

namespace lintavo {

// Registers the pictures of app.qrc (":/app/...": the main window's logo banner). They are
// compiled into a static library, whose resources stay missing until registered; the entry and the
// window tests call this before the first window is made. Calling it again does nothing more.
void RegisterAppResources();

// The main window's logo banner for a screen of `devicePixelRatio`: above 1, the picture drawn at
// twice the size, which takes the same room and stays sharp (scripts/draw-logo-banner.sh draws
// both). Only the one needed is read, since it is read while the window is made.
QPixmap LogoBanner(qreal devicePixelRatio);

}  // namespace lintavo
