#pragma once

#include <spawn.h>
#include <sys/types.h>

#include <string>
#include <vector>

namespace lintavo::test {

// Starts `executable` (searched on PATH when it names no folder) with `arguments` and the given
// file actions, as a program started from the desktop starts: every signal at its default and
// none blocked, whatever the test runner ignores (a background job ignores Ctrl+C). With
// `ownGroup` it leads a process group of its own, so that it and its children can be ended
// together. Returns its process id, or -1 when it could not be started.
pid_t SpawnProgram(const std::string& executable, const std::vector<std::string>& arguments,
                   const posix_spawn_file_actions_t& actions, bool ownGroup);

}  // namespace lintavo::test
