#pragma once

#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

namespace lintavo::test {

// A program that starts more processes (a browser and its helpers, a virtual display), started in
// a process group of its own with its output going to a log file. Whatever of the group still runs
// when the object goes is stopped, so a failing test leaves nothing behind.
class ProcessGroup {
 public:
  ProcessGroup(const std::string& executable, const std::vector<std::string>& arguments,
               const std::string& logFile);
  ProcessGroup(const ProcessGroup&) = delete;
  ProcessGroup& operator=(const ProcessGroup&) = delete;
  ~ProcessGroup();

  bool Started() const { return group_ > 0; }

  // Whether the program itself still runs (its helpers may outlive it).
  bool Running();

  // Asks the program alone to end (SIGTERM), as the system does at log-out, and waits for it, at
  // most `bound`: a browser then saves its settings and session as when it is closed. True when it
  // ended within the bound. Its helpers are left to end with it; Stop ends what remains.
  bool Quit(std::chrono::seconds bound);

  // Ends the group in order: SIGTERM, so that each process can clean up (a virtual display
  // removes its lock files), then SIGKILL for whatever still runs after a few seconds.
  void Stop();

 private:
  void Collect(bool wait);

  pid_t group_ = -1;  // the program's id, which is also the group's
  bool collected_ = false;
};

}  // namespace lintavo::test
