#include "os/Launch.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>
#include <thread>
#include <vector>

#include "os/posix/ProgramSearch.h"

namespace lintavo::os {

namespace {

// Spawn settings that make the program independent of us, as a program the shell starts is: a
// session of its own (a signal to our terminal or process group does not reach it), no blocked
// signals and default signal actions, and none of our open files beyond the standard three.
class SpawnSettings {
 public:
  SpawnSettings() {
    posix_spawnattr_init(&attributes_);
    posix_spawn_file_actions_init(&fileActions_);
    sigset_t noSignals;
    sigemptyset(&noSignals);
    posix_spawnattr_setsigmask(&attributes_, &noSignals);
    sigset_t allSignals;
    sigfillset(&allSignals);
    sigdelset(&allSignals, SIGKILL);
    sigdelset(&allSignals, SIGSTOP);
    posix_spawnattr_setsigdefault(&attributes_, &allSignals);
    posix_spawnattr_setflags(&attributes_,
                             POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    posix_spawn_file_actions_addclosefrom_np(&fileActions_, STDERR_FILENO + 1);
  }
  SpawnSettings(const SpawnSettings&) = delete;
  SpawnSettings& operator=(const SpawnSettings&) = delete;
  ~SpawnSettings() {
    posix_spawn_file_actions_destroy(&fileActions_);
    posix_spawnattr_destroy(&attributes_);
  }

  const posix_spawnattr_t* Attributes() const { return &attributes_; }
  const posix_spawn_file_actions_t* FileActions() const { return &fileActions_; }

 private:
  posix_spawnattr_t attributes_;
  posix_spawn_file_actions_t fileActions_;
};

// Collects the program's exit status when it ends, so it never lingers as a zombie, without the
// caller waiting for it.
void ReapWhenDone(pid_t pid) {
  try {
    std::thread([pid] {
      int status = 0;
      while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
      }
    }).detach();
  } catch (const std::system_error&) {
    // No thread to spare: the program still runs; its exit status stays uncollected until we end.
  }
}

}  // namespace

bool ShellExecuteOpen(const std::string& program, const std::string& parameters) {
  if (program.empty()) {
    return false;
  }
  // A bare name is found on PATH as the shell would; a name with a '/' is a path.
  std::string executable = program;
  if (program.find('/') == std::string::npos) {
    const auto found = posix::FindProgramOnPath(program);
    if (!found) {
      return false;
    }
    executable = *found;
  }
  std::string argument0 = program;
  std::string argument1 = parameters;
  char* const arguments[] = {argument0.data(), argument1.data(), nullptr};
  const SpawnSettings settings;
  pid_t pid = 0;
  // The C library reports a program that cannot be executed (missing, not executable) as the
  // result of posix_spawn itself.
  if (posix_spawn(&pid, executable.c_str(), settings.FileActions(), settings.Attributes(),
                  arguments, environ) != 0) {
    return false;
  }
  ReapWhenDone(pid);
  return true;
}

}  // namespace lintavo::os
