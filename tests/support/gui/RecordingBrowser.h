#pragma once

#include <string>
#include <vector>

#include "support/TestEnvironment.h"

namespace lintavo::test {

// A stand-in browser registered for HTML files in the isolated home `home` (through the XDG MIME
// files): each start writes its arguments to a record that the test reads back.
class RecordingBrowser {
 public:
  explicit RecordingBrowser(const IsolatedHome& home);

  // The arguments of the next start. The browser runs detached, so this waits for its record a
  // bounded time; an empty list means it was not started. The record is consumed.
  std::vector<std::string> AwaitArguments() const;

 private:
  std::string record_;
};

}  // namespace lintavo::test
