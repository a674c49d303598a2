#include "support/SpawnedProgram.h"

#include <signal.h>
#include <unistd.h>

namespace lintavo::test {

pid_t SpawnProgram(const std::string& executable, const std::vector<std::string>& arguments,
                   const posix_spawn_file_actions_t& actions, bool ownGroup) {
  std::vector<std::string> texts = {executable};
  texts.insert(texts.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& text : texts) {
    argv.push_back(text.data());
  }
  argv.push_back(nullptr);

  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t signals;
  sigfillset(&signals);
  posix_spawnattr_setsigdefault(&attributes, &signals);
  sigemptyset(&signals);
  posix_spawnattr_setsigmask(&attributes, &signals);
  short flags = POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK;
  if (ownGroup) {
    posix_spawnattr_setpgroup(&attributes, 0);
    flags |= POSIX_SPAWN_SETPGROUP;
  }
  posix_spawnattr_setflags(&attributes, flags);
  pid_t pid = -1;
  if (posix_spawnp(&pid, executable.c_str(), &actions, &attributes, argv.data(), environ) != 0) {
    pid = -1;
  }
  posix_spawnattr_destroy(&attributes);
  return pid;
}

}  // namespace lintavo::test
