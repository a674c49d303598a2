#pragma once

#include <string>

namespace lintavo::os::posix {

// The way a refused start asks the running instance to bring its window to the front: one
// datagram on an abstract Unix socket. The address vanishes with the process that bound it, and
// a datagram arrives whole, so the listener is readable exactly when a complete request waits.

// A socket bound to the abstract address `name`, non-blocking and closed on exec; -1 when the
// address cannot be bound (for instance because another process holds it).
int ListenForActivation(const std::string& name);

// Sends one request to whoever listens at `name`. Never waits: when nobody listens or the
// listener's queue is full the request is dropped, since the window is already coming up.
void RequestActivation(const std::string& name);

// Consumes one datagram from `listener`. True when it is a request from a process of this user;
// false for anything else and when nothing is pending.
bool TakeActivation(int listener);

}  // namespace lintavo::os::posix
