#include "support/ProcessGroup.h"

#include <fcntl.h>
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

constexpr auto kStopBound = std::chrono::seconds(10);

// Whether any process of the group is left. Processes that ended but are not yet collected by
// their parent still count, so the wait is bounded by the caller.
bool GroupLeft(pid_t group) {
  return kill(-group, 0) == 0;
}

}  // namespace

ProcessGroup::ProcessGroup(const std::string& executable, const std::vector<std::string>& arguments,
                           const std::string& logFile) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, logFile.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
  posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);
  group_ = SpawnProgram(executable, arguments, actions, true);
  posix_spawn_file_actions_destroy(&actions);
}

ProcessGroup::~ProcessGroup() {
  Stop();
}

void ProcessGroup::Collect(bool wait) {
  if (group_ <= 0 || collected_) {
    return;
  }
  int status = 0;
  pid_t result;
  while ((result = waitpid(group_, &status, wait ? 0 : WNOHANG)) < 0 && errno == EINTR) {
  }
  collected_ = result == group_ || (result < 0 && errno == ECHILD);
}

bool ProcessGroup::Running() {
  Collect(false);
  return group_ > 0 && !collected_;
}

bool ProcessGroup::Quit(std::chrono::seconds bound) {
  if (!Running()) {
    return true;
  }
  kill(group_, SIGTERM);
  const auto giveUp = std::chrono::steady_clock::now() + bound;
  while (Running() && std::chrono::steady_clock::now() < giveUp) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return !Running();
}

void ProcessGroup::Stop() {
  if (group_ <= 0) {
    return;
  }
  kill(-group_, SIGTERM);
  const auto giveUp = std::chrono::steady_clock::now() + kStopBound;
  while (Running() && std::chrono::steady_clock::now() < giveUp) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  // The helpers may take a moment longer than the program; what is left then is killed.
  while (GroupLeft(group_) && std::chrono::steady_clock::now() < giveUp) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  kill(-group_, SIGKILL);
  Collect(true);
  group_ = -1;
}

}  // namespace lintavo::test
