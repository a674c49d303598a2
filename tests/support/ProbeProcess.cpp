#include "support/ProbeProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>

#include "support/SpawnedProgram.h"

namespace lintavo::test {

namespace {

constexpr auto kBound = std::chrono::seconds(30);

}  // namespace

ProbeProcess::ProbeProcess(const std::string& executable, const std::vector<std::string>& arguments,
                           int input) {
  int ends[2];
  if (pipe2(ends, O_CLOEXEC) != 0) {
    return;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, ends[1], STDOUT_FILENO);
  if (input >= 0) {
    posix_spawn_file_actions_adddup2(&actions, input, STDIN_FILENO);
  }
  // Nothing else of ours reaches it: an inherited pipe end would keep another probe's input open.
  posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);
  pid_ = SpawnProgram(executable, arguments, actions, false);
  posix_spawn_file_actions_destroy(&actions);
  close(ends[1]);
  output_ = ends[0];
}

ProbeProcess::~ProbeProcess() {
  if (pid_ > 0 && !status_) {
    Kill();
  }
  if (output_ >= 0) {
    close(output_);
  }
}

std::string ProbeProcess::FirstLine() {
  if (pid_ <= 0) {
    return {};
  }
  const auto giveUp = std::chrono::steady_clock::now() + kBound;
  std::string line;
  char c = 0;
  while (std::chrono::steady_clock::now() < giveUp) {
    pollfd output{output_, POLLIN, 0};
    if (poll(&output, 1, 50) <= 0) {
      continue;
    }
    if (read(output_, &c, 1) != 1 || c == '\n') {
      return line;
    }
    line += c;
  }
  return {};
}

std::optional<int> ProbeProcess::ExitCode() {
  const auto giveUp = std::chrono::steady_clock::now() + kBound;
  while (!status_ && pid_ > 0) {
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
      status_ = status;
    } else if (std::chrono::steady_clock::now() > giveUp) {
      Kill();
    } else {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  }
  if (!status_ || !WIFEXITED(*status_)) {
    return std::nullopt;
  }
  return WEXITSTATUS(*status_);
}

bool ProbeProcess::Running() {
  int status = 0;
  if (!status_ && pid_ > 0 && waitpid(pid_, &status, WNOHANG) == pid_) {
    status_ = status;
  }
  return pid_ > 0 && !status_;
}

void ProbeProcess::Kill() {
  if (pid_ <= 0 || status_) {
    return;
  }
  kill(pid_, SIGKILL);
  int status = 0;
  while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
  }
  status_ = status;
}

}  // namespace lintavo::test
