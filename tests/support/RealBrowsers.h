#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/ScopedVariable.h"
#include "support/TestEnvironment.h"

namespace lintavo::test {

// What a test that starts real browsers needs: its own home, a folder for the browsers' logs,
// and the browsers' temporary files (Chromium's socket folder, which a killed browser leaves) in
// a folder of the test's own.
class RealBrowserTest : public testing::Test {
 protected:
  // The log a browser wrote into the logs folder, for a failure's message.
  std::string Log(const std::string& name) const {
    std::error_code error;
    return std::filesystem::exists(logs_ / name, error) ? ReadFileBytes(logs_ / name) : "(no log)";
  }

  IsolatedHome home_;
  TempFolder logs_;
  TempFolder temporary_;
  ScopedVariable temporaryFolder_{"TMPDIR", temporary_.Path().c_str()};
};

// The arguments a test starts a real Chromium with, on the user-data folder given: no sandbox,
// which needs kernel namespaces that containers and root do without, no first-run page, and
// nothing fetched or stored outside the test.
inline std::vector<std::string> QuietChromiumArguments(const std::string& userDataFolder) {
  return {"--no-sandbox",
          "--no-first-run",
          "--disable-background-networking",
          "--disable-component-update",
          "--disable-sync",
          "--password-store=basic",
          "--user-data-dir=" + userDataFolder};
}

}  // namespace lintavo::test
