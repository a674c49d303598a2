#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "support/TestEnvironment.h"

namespace lintavo::test {

// A stand-in browser registered for HTML files in the isolated home `home` (through the XDG MIME
// files): every start leaves a record of its arguments, one a line, that the test reads back.
class RecordingBrowser {
 public:
  explicit RecordingBrowser(const IsolatedHome& home);

  // The arguments of every start recorded so far, once at least `count` starts have arrived or a
  // bounded wait has passed (the browser runs detached). The records are consumed.
  std::vector<std::vector<std::string>> AwaitStarts(std::size_t count) const;

  // The arguments of the next start; an empty list when it was not started.
  std::vector<std::string> AwaitArguments() const;

 private:
  std::string starts_;  // the folder of the records, one file a start
};

}  // namespace lintavo::test
