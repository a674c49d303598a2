#include <windows.h>

#include "os/WindowHandle.h"

namespace lintavo::os {

WindowHandle DesktopWindow() {
  return reinterpret_cast<WindowHandle>(GetDesktopWindow());
}

}  // namespace lintavo::os
