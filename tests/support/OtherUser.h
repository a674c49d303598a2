#pragma once

#include <sys/types.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace lintavo::test {

// A second user, for what only shows between users: files one user cannot read, names kept apart
// per user. Tests run as root can act as this user; elsewhere they skip what needs it.
inline constexpr uid_t kOtherUser = 65534;  // "nobody", which every system has

bool CanActAsOtherUser();

// Runs `work` in a child process as kOtherUser; its result is the child's exit code. Nothing when
// the child could not become that user or did not end normally.
std::optional<int> RunAsOtherUser(const std::function<int()>& work);

// What starts `program` with `arguments` as kOtherUser.
struct Command {
  std::string program;
  std::vector<std::string> arguments;
};
Command AsOtherUser(const std::string& program, const std::vector<std::string>& arguments);

// Lets every user enter and write `folder`, so that the other user can work in a test's folder.
void OpenToEveryone(const std::string& folder);

}  // namespace lintavo::test
