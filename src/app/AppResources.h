#pragma once

namespace lintavo {

// Registers the pictures of app.qrc (":/app/...": the about box's emblem, the main window's logo
// banner). They are compiled into a static library, whose resources stay missing until
// registered; the entry and the window tests call this before the first window is made. Calling
// it again does nothing more.
void RegisterAppResources();

}  // namespace lintavo
