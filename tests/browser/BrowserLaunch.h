#pragma once

#include <functional>
#include <string>
#include <vector>

#include "support/ProcessGroup.h"

namespace lintavo::test {

// A browser started with `arguments` in a process group of its own, its output going to `logFile`.
// Whatever of it still runs when the object goes is stopped.
struct LaunchedBrowser {
  LaunchedBrowser(const std::string& executable, const std::vector<std::string>& arguments,
                  std::string logFile);

  // The content of `path`, a file the browser writes once its remote protocol listens, as soon as
  // `complete` accepts it. Throws std::runtime_error with the end of the browser's output when the
  // browser ends first or does not get there within kStartBound.
  std::string AwaitFile(const std::string& path,
                        const std::function<bool(const std::string&)>& complete);

  // Throws std::runtime_error telling `what` happened, with the end of the browser's output.
  [[noreturn]] void Fail(const std::string& what) const;

  std::string logFile;
  ProcessGroup process;
};

}  // namespace lintavo::test
