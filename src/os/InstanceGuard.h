#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "os/WaitHandle.h"
#include "os/WindowHandle.h"

namespace lintavo::os {

// Lets one copy of the program run per executable path and user. The first admitted start holds a
// shared 8-byte record (window handle, instance count) named after the executable's path and kept
// apart for each user, as a Windows logon session keeps it; the record ceases to exist when no
// live process holds it, so a killed instance never blocks the next start.
class InstanceGuard {
 public:
  InstanceGuard();
  InstanceGuard(const InstanceGuard&) = delete;
  InstanceGuard& operator=(const InstanceGuard&) = delete;
  ~InstanceGuard();

  // True when this start must end: `maxInstances` copies already run, and the running one has
  // been asked to restore its window and come to the front. False when the start is admitted and
  // counted. `window` is the application's window as the record stores it (unused where
  // activation goes through the guard's own channel). Throws Failure "System Error.  Code:
  // <n>.\n<description>" when the record can be neither created nor found.
  bool RefuseIfRunning(WindowHandle window, int maxInstances);

  // Gives up this instance's place in the record; runs once at orderly exit.
  void ReleaseInstance();

  // Where a refused start's request to come to the front arrives in the running instance. When it
  // is readable, TakeActivationRequest consumes one request and says whether it was one.
  WaitHandle ActivationRequestHandle() const;
  bool TakeActivationRequest();

  // The record's name: the executable's full path with every path delimiter removed.
  static std::string MappingName(const std::string& executablePath);

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace lintavo::os
