#pragma once

#include <string>
#include <utility>
#include <vector>

#include "skin/ErrorReporting.h"

namespace lintavo::test {

// Records the errors the general error handling reports while it lives, instead of showing them.
class RecordedErrors {
 public:
  RecordedErrors()
      : reporter_([this](const std::string& message) { messages_.push_back(message); }) {}

  const std::vector<std::string>& Messages() const { return messages_; }

  // The messages recorded so far; the record starts empty again.
  std::vector<std::string> Take() { return std::exchange(messages_, {}); }

 private:
  std::vector<std::string> messages_;
  ScopedErrorReporter reporter_;
};

}  // namespace lintavo::test
