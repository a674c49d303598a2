#pragma once

#include <stdexcept>
#include <string>

namespace lintavo {

// A failure that ends the current command or start-up step. what() is the exact text the user
// is shown; nothing below the windows catches it.
class Failure : public std::runtime_error {
 public:
  explicit Failure(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace lintavo
