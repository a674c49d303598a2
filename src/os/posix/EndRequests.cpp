#include "os/EndRequests.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>

namespace lintavo::os {

namespace {

// Log-out and shutdown (SIGTERM), Ctrl+C (SIGINT), a closed terminal or session (SIGHUP).
constexpr int kEndSignals[] = {SIGTERM, SIGINT, SIGHUP};

// The pipe from the signal handler to the event loop. Writing to a pipe is one of the few
// things a signal handler may do; everything else waits until the event loop reads it.
int requestPipe[2] = {-1, -1};

void OnEndSignal(int) {
  const int savedErrno = errno;
  const char request = 'E';
  // A full pipe already holds a request, so a failed write loses nothing.
  [[maybe_unused]] const ssize_t ignored = write(requestPipe[1], &request, 1);
  errno = savedErrno;
}

}  // namespace

WaitHandle CatchEndRequests() {
  if (requestPipe[0] >= 0) {
    return requestPipe[0];
  }
  if (pipe2(requestPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
    requestPipe[0] = requestPipe[1] = -1;
    return kNoWaitHandle;
  }
  struct sigaction action {};
  action.sa_handler = OnEndSignal;
  sigemptyset(&action.sa_mask);
  // The handler goes after its first request: a second one ends the process at once.
  action.sa_flags = SA_RESTART | SA_RESETHAND;
  for (const int signal : kEndSignals) {
    struct sigaction current {};
    if (sigaction(signal, nullptr, &current) == 0 && current.sa_handler != SIG_IGN) {
      sigaction(signal, &action, nullptr);
    }
  }
  return requestPipe[0];
}

bool TakeEndRequest(WaitHandle handle) {
  bool requested = false;
  char buffer[16];
  while (read(static_cast<int>(handle), buffer, sizeof buffer) > 0) {
    requested = true;
  }
  return requested;
}

}  // namespace lintavo::os
