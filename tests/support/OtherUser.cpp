#include "support/OtherUser.h"

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>

namespace lintavo::test {

namespace {

constexpr int kCouldNotSwitch = 125;

}  // namespace

bool CanActAsOtherUser() {
  return geteuid() == 0;
}

std::optional<int> RunAsOtherUser(const std::function<int()>& work) {
  const pid_t child = fork();
  if (child < 0) {
    return std::nullopt;
  }
  if (child == 0) {
    if (setgroups(0, nullptr) != 0 || setgid(kOtherUser) != 0 || setuid(kOtherUser) != 0) {
      _exit(kCouldNotSwitch);
    }
    _exit(work());
  }
  int status = 0;
  while (waitpid(child, &status, 0) < 0) {
  }
  if (!WIFEXITED(status) || WEXITSTATUS(status) == kCouldNotSwitch) {
    return std::nullopt;
  }
  return WEXITSTATUS(status);
}

Command AsOtherUser(const std::string& program, const std::vector<std::string>& arguments) {
  const std::string id = std::to_string(kOtherUser);
  Command command{"/usr/bin/setpriv",
                  {"--reuid=" + id, "--regid=" + id, "--clear-groups", program}};
  command.arguments.insert(command.arguments.end(), arguments.begin(), arguments.end());
  return command;
}

void OpenToEveryone(const std::string& folder) {
  if (chmod(folder.c_str(), 0777) != 0) {
    throw std::runtime_error("cannot open " + folder + " to every user");
  }
}

}  // namespace lintavo::test
