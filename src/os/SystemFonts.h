#pragma once

#include <memory>

namespace lintavo::os {

// Reads the system's font configuration on a thread of its own from construction on, so that the
// first window's text finds it read instead of waiting for it: with fontconfig, its files take a
// few milliseconds of every start, which pass beside the rest of start-up this way. Where the
// system needs no such reading, nothing is done. Wait() returns once the configuration is read;
// the destructor waits too.
class SystemFontsPreload {
 public:
  SystemFontsPreload();
  SystemFontsPreload(const SystemFontsPreload&) = delete;
  SystemFontsPreload& operator=(const SystemFontsPreload&) = delete;
  ~SystemFontsPreload();

  void Wait();

 private:
  struct Reading;
  std::unique_ptr<Reading> reading_;
};

}  // namespace lintavo::os
