#pragma once

#include <cstdlib>
#include <optional>
#include <string>

#include "support/TestEnvironment.h"

namespace lintavo::test {

// Sets (or, given nullptr, unsets) one environment variable and restores it when it goes. For
// variables IsolatedHome does not already restore, such as PATH.
class ScopedVariable {
 public:
  ScopedVariable(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) {
      old_ = old;
    }
    Set(value);
  }
  ScopedVariable(const ScopedVariable&) = delete;
  ScopedVariable& operator=(const ScopedVariable&) = delete;
  ~ScopedVariable() { Set(old_ ? old_->c_str() : nullptr); }

  void Set(const char* value) {
    SetVariable(name_, value ? std::optional<std::string>(value) : std::nullopt);
  }

 private:
  std::string name_;
  std::optional<std::string> old_;
};

}  // namespace lintavo::test
