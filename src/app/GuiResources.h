#pragma once

namespace lintavo {

// Registers the resources compiled into the window library (the skin, the logo banner). A static
// library's resources are missing until this has run; the entry and the window tests call it
// before the first window is made.
void RegisterGuiResources();

}  // namespace lintavo
