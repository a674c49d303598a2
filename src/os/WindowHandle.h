#pragma once

#include <cstdint>

namespace lintavo::os {

// A top-level window as the system names it to other code and other processes (a window handle
// on Windows), carried as a plain pointer-sized number; 0 names no window.
using WindowHandle = std::uintptr_t;

// The desktop as the owner of a window that no window of the program owns (GetDesktopWindow on
// Windows). Where windows have no common desktop window, 0: a window given it as its owner stands
// on its own.
WindowHandle DesktopWindow();

}  // namespace lintavo::os
