#pragma once

#include <gtest/gtest.h>

#include <string>

#include "help/HelpEngine.h"
#include "os/Registry.h"

namespace lintavo::test {

// The key under which the help engine's class names its module, spelled out here so that a wrong
// key in the program shows.
inline constexpr const char* kHelpEngineServerKey =
    "CLSID\\{adb880a6-d8ff-11cf-9377-00aa003b7a11}\\InprocServer32";

// Registers `value` as the help engine's module for the current user, as an installer would: the
// user's own class keys stand over the ones derived from the system.
inline void RegisterHelpEngine(const std::string& value) {
  auto key = os::RegistryKey::Create(os::RegistryRoot::CurrentUser,
                                     std::string("Software\\Classes\\") + kHelpEngineServerKey);
  ASSERT_TRUE(key && key->SetString("", value));
}

// Releases whatever help engine a test loaded, so that the next test starts with none.
class ScopedHelpEngineRelease {
 public:
  ScopedHelpEngineRelease() = default;
  ScopedHelpEngineRelease(const ScopedHelpEngineRelease&) = delete;
  ScopedHelpEngineRelease& operator=(const ScopedHelpEngineRelease&) = delete;
  ~ScopedHelpEngineRelease() { UnloadHelpEngine(); }
};

}  // namespace lintavo::test
