#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "browser/PageBrowser.h"
#include "os/posix/ProgramSearch.h"
#include "support/ScopedVariable.h"
#include "support/TestEnvironment.h"

namespace lintavo::test {

// A browser that drives the pages: its command and how it is started.
struct BrowserKind {
  std::string command;
  std::unique_ptr<PageBrowser> (*start)(const std::string& executable,
                                        const std::string& profileFolder);
};

inline void PrintTo(const BrowserKind& kind, std::ostream* out) {
  *out << kind.command;
}

// The browsers a suite runs in, each instantiated under its own name: "Chromium/<suite>.<test>/
// headless" and "FirefoxEsr/..."; tests/CMakeLists.txt runs each browser's suite as one CTest test.
inline const BrowserKind kChromium{"chromium", StartChromium};
inline const BrowserKind kFirefoxEsr{"firefox-esr", StartFirefox};

inline std::string Headless(const testing::TestParamInfo<BrowserKind>& /*info*/) {
  return "headless";
}

// A browser with the pages it opens: `TestPages` is made first, in a home of its own.
template <typename TestPages>
struct BrowserSession {
  BrowserSession(const BrowserKind& kind, const std::string& program)
      : browser(kind.start(program, profiles / "profile")) {}

  TestPages pages;
  // The browser's temporary files go into the test's own folder.
  TempFolder temporary;
  ScopedVariable temporaryFolder{"TMPDIR", temporary.Path().c_str()};
  ScopedVariable noCrashReports{"MOZ_CRASHREPORTER_DISABLE", "1"};
  TempFolder profiles;
  // Last, so that the browser ends before its folders go.
  std::unique_ptr<PageBrowser> browser;
};

// Each browser is a test suite of its own: its first test makes the pages and starts the browser,
// the others use it, and it ends with the suite. A browser that is not installed skips the tests.
template <typename TestPages>
class BrowserSuite : public testing::TestWithParam<BrowserKind> {
 protected:
  static void TearDownTestSuite() { session_.reset(); }

  void SetUp() override {
    const std::optional<std::string> program = os::posix::FindProgramOnPath(GetParam().command);
    if (!program) {
      GTEST_SKIP() << GetParam().command
                   << " is not installed (scripts/install-dependencies.sh installs it)";
    }
    if (!session_) {
      session_ = std::make_unique<BrowserSession<TestPages>>(GetParam(), *program);
    }
  }

  PageBrowser& Browser() { return *session_->browser; }
  TestPages& Pages() { return session_->pages; }

 private:
  static inline std::unique_ptr<BrowserSession<TestPages>> session_;
};

}  // namespace lintavo::test
