#pragma once

#include <optional>
#include <string>

#include "support/ProcessGroup.h"

namespace lintavo::test {

// A display of its own for a browser that needs one: an Xvfb server on the first free display
// number from 90 on, stopped when the object goes.
class VirtualDisplay {
 public:
  // Starts the server, its log in `logFolder`/xvfb.log; Ready() tells whether one runs.
  explicit VirtualDisplay(const std::string& logFolder);

  bool Ready() const { return server_.has_value(); }
  // The display's name for $DISPLAY (":90").
  const std::string& Name() const { return name_; }

 private:
  std::string name_;
  std::optional<ProcessGroup> server_;
};

}  // namespace lintavo::test
