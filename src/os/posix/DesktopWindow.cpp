#include "os/WindowHandle.h"

namespace lintavo::os {

// The desktops of X11 and Wayland offer no window that a program may own its windows by.
WindowHandle DesktopWindow() {
  return 0;
}

}  // namespace lintavo::os
