#pragma once

#include "os/WaitHandle.h"

namespace lintavo::os {

// The system's requests that the program end: log-out or shutdown, `kill`, Ctrl+C or a closed
// terminal. Caught, such a request no longer ends the process on the spot; the program takes it
// from its event loop and ends in order, as its Exit command does, so nothing is half-written and
// the instance is released. A second request before the first is taken ends the process at
// once, so a program that hangs can still be ended. A request that the process was started to
// ignore (nohup, a background job) stays ignored.

// Starts catching the requests and returns the handle that becomes readable when one arrives.
// Calling it again returns the same handle.
WaitHandle CatchEndRequests();

// Consumes what arrived on the handle; true when an end request did.
bool TakeEndRequest(WaitHandle handle);

}  // namespace lintavo::os
