#include "browsers/ShellWindows.h"

#include <climits>
#include <cstddef>
#include <utility>

namespace lintavo::browsers {

ShellWindows::ShellWindows(std::vector<std::optional<Window>> windows)
    : windows_(std::move(windows)) {}

// A count is an int as the shell's collection gives it; windows beyond the largest int are out of
// reach, as they would be there.
int ShellWindows::Count() const {
  return windows_.size() > static_cast<std::size_t>(INT_MAX) ? INT_MAX
                                                             : static_cast<int>(windows_.size());
}

std::optional<ShellWindows::Window> ShellWindows::Item(int index) const {
  if (index < 0 || index >= Count()) {
    return std::nullopt;
  }
  return windows_[static_cast<std::size_t>(index)];
}

}  // namespace lintavo::browsers
