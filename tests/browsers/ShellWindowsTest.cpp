#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "browsers/ShellWindows.h"
#include "support/DescribedWindows.h"

namespace lintavo {
namespace {

using browsers::ShellWindows;
using test::Described;
using testing::ElementsAre;

ShellWindows::Window Browser(const std::string& url, bool hasDocument) {
  return {.isWebBrowser = true, .locationUrl = url, .hasDocument = hasDocument};
}

// The picker walks the collection by position: each window once, in the snapshot's order, a
// position without a window object answering nothing, as does any position out of range.
TEST(ShellWindowsTest, ItemsComeInOrderAndNothingLiesOutsideTheRange) {
  const ShellWindows windows(
      {Browser("file:///a.htm", true), std::nullopt, ShellWindows::Window{}, Browser("", false)});

  EXPECT_EQ(windows.Count(), 4);
  EXPECT_THAT(Described(windows),
              ElementsAre("file:///a.htm", "(nothing)", "(no browser)", " (no document)"));
  for (const int outside : {-1, 4, 1000}) {
    SCOPED_TRACE(outside);
    EXPECT_EQ(windows.Item(outside), std::nullopt);
  }
  EXPECT_EQ(ShellWindows({}).Count(), 0);
}

}  // namespace
}  // namespace lintavo
