#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

namespace lintavo::test {

// A program started as a process of its own, with its output read through a pipe. Every wait is
// bounded, so a fault shows as a failure rather than a hang, and a process still running when the
// object goes is killed, so a failing test leaves nothing behind.
class ProbeProcess {
 public:
  // Starts `executable` with `arguments`; `input`, when given, becomes its standard input.
  ProbeProcess(const std::string& executable, const std::vector<std::string>& arguments,
               int input = -1);
  ProbeProcess(const ProbeProcess&) = delete;
  ProbeProcess& operator=(const ProbeProcess&) = delete;
  ~ProbeProcess();

  pid_t Pid() const { return pid_; }

  // The first line it printed, without the line end; empty when none came in time.
  std::string FirstLine();

  // Its exit code once it ended by itself; nothing when it ended by a signal or did not end in
  // time (it is killed then).
  std::optional<int> ExitCode();

  // Whether it is still running, without waiting.
  bool Running();

  // Ends it at once with SIGKILL, the way a crash or the task manager would, and collects it.
  void Kill();

 private:
  pid_t pid_ = -1;
  int output_ = -1;
  std::optional<int> status_;
};

}  // namespace lintavo::test
