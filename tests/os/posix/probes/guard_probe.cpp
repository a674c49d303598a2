// A stand-in for the program's start-up, run by the instance guard's tests as a real process:
// it guards its own executable path with a maximum of one instance.
//
//   guard_probe <request log> <stop file> [--gated]
//   guard_probe --churn <starts> <witness file> [--gated]
//
// With --gated it first waits for end of input on stdin, so a test can release many probes at
// the same moment. It exits with 3 when the guard failed.
//
// Normally it starts once and prints "admitted" or "refused" as its first line. A refused start
// exits with 0 at once. An admitted one appends "activated" (or "ignored" for anything else
// arriving) to the request log for each request taken, until the stop file appears; then it gives
// up its place and exits with 0, or with 2 when no stop file came within 30 seconds.
//
// With --churn it starts and ends in order the given number of times, as fast as it can. While
// admitted it holds an exclusive lock on the witness file, which it cannot get if another
// instance is admitted at the same time: then it prints "overlap" and exits with 1. Otherwise it
// prints "admitted <n>", how often it was admitted, and exits with 0.

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "base/Failure.h"
#include "os/InstanceGuard.h"

namespace {

void AppendLine(const std::string& path, std::string_view line) {
  const int file = open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
  if (file >= 0) {
    const std::string text = std::string(line) + "\n";
    // One write of a short line to a file opened for appending lands whole.
    if (write(file, text.data(), text.size()) < 0) {
      std::cerr << "cannot write the request log\n";
    }
    close(file);
  }
}

void WaitForEndOfInput() {
  char ignored[64];
  while (read(STDIN_FILENO, ignored, sizeof ignored) > 0) {
  }
}

// Serves requests until the stop file appears; false when it did not within the bound.
bool ServeUntilStopped(lintavo::os::InstanceGuard& guard, const std::string& requestLog,
                       const std::string& stopFile) {
  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (access(stopFile.c_str(), F_OK) != 0) {
    if (std::chrono::steady_clock::now() > giveUp) {
      return false;
    }
    pollfd listener{static_cast<int>(guard.ActivationRequestHandle()), POLLIN, 0};
    if (poll(&listener, 1, 20) > 0) {
      AppendLine(requestLog, guard.TakeActivationRequest() ? "activated" : "ignored");
    }
  }
  return true;
}

// Starts and ends `starts` times; false when another instance was admitted at the same time.
bool Churn(int starts, const std::string& witnessFile, int& admitted) {
  const int witness = open(witnessFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (witness < 0) {
    std::cerr << "cannot open the witness file\n";
    return false;
  }
  bool alone = true;
  for (int i = 0; i < starts && alone; ++i) {
    lintavo::os::InstanceGuard guard;
    if (guard.RefuseIfRunning(static_cast<lintavo::os::WindowHandle>(getpid()), 1)) {
      continue;
    }
    ++admitted;
    alone = flock(witness, LOCK_EX | LOCK_NB) == 0;
    // Stays admitted a moment, so an instance admitted beside it would meet the lock.
    usleep(100);
    flock(witness, LOCK_UN);
    guard.ReleaseInstance();
  }
  close(witness);
  return alone;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv + 1, argv + argc);
  const bool gated = !arguments.empty() && arguments.back() == "--gated";
  if (gated) {
    arguments.pop_back();
  }
  const bool churn = arguments.size() == 3 && arguments[0] == "--churn";
  if (arguments.size() != 2 && !churn) {
    std::cerr << "usage: guard_probe <request log> <stop file> [--gated]\n"
                 "       guard_probe --churn <starts> <witness file> [--gated]\n";
    return 64;
  }
  if (gated) {
    WaitForEndOfInput();
  }
  try {
    if (churn) {
      int admitted = 0;
      const bool alone = Churn(std::atoi(arguments[1].c_str()), arguments[2], admitted);
      std::cout << (alone ? "admitted " + std::to_string(admitted) : "overlap") << std::endl;
      return alone ? 0 : 1;
    }
    lintavo::os::InstanceGuard guard;
    if (guard.RefuseIfRunning(static_cast<lintavo::os::WindowHandle>(getpid()), 1)) {
      std::cout << "refused" << std::endl;
      guard.ReleaseInstance();
      return 0;
    }
    std::cout << "admitted" << std::endl;
    const bool stopped = ServeUntilStopped(guard, arguments[0], arguments[1]);
    guard.ReleaseInstance();
    return stopped ? 0 : 2;
  } catch (const lintavo::Failure& failure) {
    std::cerr << failure.what() << '\n';
    return 3;
  }
}
