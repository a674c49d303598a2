#include "os/EndRequests.h"

// Windows brings log-off and shutdown to the windows themselves (WM_QUERYENDSESSION,
// WM_ENDSESSION), where the window toolkit ends the event loop in order; a program with windows
// and no console gets no other request to end. There is nothing here to watch.

namespace lintavo::os {

WaitHandle CatchEndRequests() {
  return kNoWaitHandle;
}

bool TakeEndRequest(WaitHandle) {
  return false;
}

}  // namespace lintavo::os
