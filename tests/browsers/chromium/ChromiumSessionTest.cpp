#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "browsers/chromium/ChromiumSession.h"
#include "support/BrowserSessions.h"
#include "support/DescribedWindows.h"
#include "support/TestEnvironment.h"

namespace lintavo {
namespace {

using browsers::ChromiumSessionTabs;
using test::Described;
using test::Int32Fields;
using test::SnssFile;
using testing::ElementsAre;
using testing::ElementsAreArray;
using enum test::SnssCommand;

constexpr std::int32_t kPopupWindow = 1;
constexpr std::int32_t kAppWindow = 2;

std::vector<std::string> TabsOf(const std::string& file) {
  const auto tabs = ChromiumSessionTabs(file);
  EXPECT_TRUE(tabs.has_value());
  return tabs ? Described(*tabs) : std::vector<std::string>{"(not read)"};
}

// Chromium 156 with three tabs, the first having gone back from second.html to first.html
// (tests/fixtures/browsers/README.md).
TEST(ChromiumSessionTest, ListsTheTabsOfTheSessionChromiumWrote) {
  const std::string file =
      test::ReadFileBytes(test::FixturePath("browsers/chromium/Session_13441350423003629"));

  EXPECT_THAT(TabsOf(file), ElementsAre("file:///tmp/lintavo-pages/first.html",
                                        "file:///tmp/lintavo-pages/plain.html",
                                        "file:///tmp/lintavo-pages/plain.html?tab=3#caf%C3%A9"));
}

// The commands a running browser appends, replayed to the windows and tabs open at the end.
TEST(ChromiumSessionTest, ReplaysTheCommandsToTheOpenTabs) {
  const struct {
    const char* name;
    SnssFile file;
    std::vector<std::string> tabs;
  } cases[] = {
      {"tabs in their order in the window, not in the order of their ids",
       SnssFile()
           .WindowWithTabs(1, 10, {"file:///a", "file:///b", "file:///c"})
           .TabIndex(10, 2)
           .TabIndex(12, 0)
           .Marker(),
       {"file:///c", "file:///b", "file:///a"}},
      {"windows in the order they were made, whatever the file's order",
       SnssFile()
           .WindowWithTabs(7, 70, {"file:///later"})
           .WindowWithTabs(3, 30, {"file:///earlier"})
           .Marker(),
       {"file:///earlier", "file:///later"}},
      {"a closed tab and a closed window are gone",
       SnssFile()
           .WindowWithTabs(1, 10, {"file:///a", "file:///closed"})
           .WindowWithTabs(2, 20, {"file:///in-closed-window"})
           .Marker()
           .TabClosed(11)
           .WindowClosed(2),
       {"file:///a"}},
      {"a tab moved into another window goes with it",
       SnssFile()
           .WindowWithTabs(1, 10, {"file:///moved", "file:///stays"})
           .WindowWithTabs(2, 20, {"file:///other"})
           .Marker()
           .TabWindow(2, 10)
           .TabIndex(10, 1),
       {"file:///stays", "file:///other", "file:///moved"}},
      {"only normal browser windows count",
       SnssFile()
           .WindowWithTabs(1, 10, {"file:///normal"})
           .WindowWithTabs(2, 20, {"file:///popup"})
           .WindowType(2, kPopupWindow)
           .WindowWithTabs(3, 30, {"file:///app"})
           .WindowType(3, kAppWindow)
           .TabWindow(4, 40)
           .Navigation(40, 0, "file:///window-of-no-type")
           .Marker(),
       {"file:///normal"}},
      {"a tab in no window is not shown",
       SnssFile().WindowType(1, 0).Navigation(10, 0, "file:///loose").Marker(),
       {}},
      {"the selected entry is shown",
       SnssFile()
           .WindowWithTabs(1, 10, {"file:///0"})
           .Navigation(10, 1, "file:///1")
           .Navigation(10, 2, "file:///2")
           .SelectedNavigation(10, 1)
           .Marker(),
       {"file:///1"}},
      {"a navigation replaces the entry at its index",
       SnssFile().WindowWithTabs(1, 10, {"file:///old"}).Marker().Navigation(10, 0, "file:///new"),
       {"file:///new"}},
      {"a selected index without an entry shows the next entry after it",
       SnssFile()
           .WindowWithTabs(1, 10, {"file:///0"})
           .Navigation(10, 5, "file:///5")
           .SelectedNavigation(10, 3)
           .Marker(),
       {"file:///5"}},
      {"a selected index past the last entry shows the last",
       SnssFile()
           .WindowWithTabs(1, 10, {"file:///0"})
           .Navigation(10, 1, "file:///1")
           .SelectedNavigation(10, 9)
           .Marker(),
       {"file:///1"}},
      {"no selected index shows the first entry",
       SnssFile()
           .WindowType(1, 0)
           .TabWindow(1, 10)
           .Navigation(10, 1, "file:///1")
           .Navigation(10, 0, "file:///0")
           .Marker(),
       {"file:///0"}},
      {"entries removed before the others renumber them",
       SnssFile()
           .WindowWithTabs(1, 10, {"file:///0"})
           .Navigation(10, 1, "file:///1")
           .Navigation(10, 2, "file:///2")
           .SelectedNavigation(10, 2)
           .Marker()
           .Pruned(10, 0, 2)
           .SelectedNavigation(10, 0),
       {"file:///2"}},
      {"removing the selected entry selects the one before",
       SnssFile()
           .WindowWithTabs(1, 10, {"file:///0"})
           .Navigation(10, 1, "file:///1")
           .Navigation(10, 2, "file:///2")
           .SelectedNavigation(10, 1)
           .Marker()
           .Pruned(10, 1, 1),
       {"file:///0"}},
      {"entries removed from the back",
       SnssFile()
           .WindowWithTabs(1, 10, {"file:///0"})
           .Navigation(10, 1, "file:///1")
           .Navigation(10, 2, "file:///2")
           .SelectedNavigation(10, 2)
           .Marker()
           .Command(kTabNavigationPathPrunedFromBack, Int32Fields({10, 1})),
       {"file:///0"}},
      {"entries removed from the front, as older versions write it",
       SnssFile()
           .WindowWithTabs(1, 10, {"file:///0"})
           .Navigation(10, 1, "file:///1")
           .Navigation(10, 2, "file:///2")
           .SelectedNavigation(10, 2)
           .Marker()
           .Command(kTabNavigationPathPrunedFromFront, Int32Fields({10, 2}))
           .SelectedNavigation(10, 0),
       {"file:///2"}},
      {"a tab without entries has no location and no document",
       SnssFile().WindowType(1, 0).TabWindow(1, 10).Marker(),
       {" (no document)"}},
      {"version 1 has no marker",
       SnssFile(1).WindowWithTabs(1, 10, {"file:///v1"}),
       {"file:///v1"}},
      {"URLs are kept byte for byte",
       SnssFile().WindowWithTabs(1, 10, {"file:///caf\xc3\xa9%20x.html?q=1#f"}).Marker(),
       {"file:///caf\xc3\xa9%20x.html?q=1#f"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_THAT(TabsOf(c.file.Bytes()), ElementsAreArray(c.tabs));
  }
}

// Chromium restores what it can read of a damaged file, up to the first command it cannot read.
// Commands of newer versions are passed over.
TEST(ChromiumSessionTest, ADamagedFileGivesTheTabsReplayedBeforeTheDamage) {
  const SnssFile before = SnssFile().WindowWithTabs(1, 10, {"file:///before"}).Marker();
  const std::string after = SnssFile(0).WindowWithTabs(2, 20, {"file:///after"}).Bytes().substr(8);
  const auto withCommand = [&](const std::string& command) {
    return before.Bytes() + command + after;
  };
  // A command of an id no browser has written yet.
  constexpr std::uint8_t kUnknown = 200;
  const auto command = [](std::uint8_t id, const std::string& payload) {
    return SnssFile(0).Command(id, payload).Bytes().substr(8);
  };
  const struct {
    const char* name;
    std::string file;
    std::vector<std::string> tabs;
  } cases[] = {
      {"an unknown command is skipped",
       withCommand(command(kUnknown, "garbage")),
       {"file:///before", "file:///after"}},
      {"a known command of no interest is skipped",
       withCommand(command(kSetPinnedState, Int32Fields({10, 1}))),
       {"file:///before", "file:///after"}},
      {"a command too short",
       withCommand(command(kSetTabWindow, Int32Fields({2}))),
       {"file:///before"}},
      {"a command too long",
       withCommand(command(kSetSelectedNavigationIndex, Int32Fields({10, 0, 0}))),
       {"file:///before"}},
      {"a closing command without its time",
       withCommand(command(kTabClosed, Int32Fields({10}))),
       {"file:///before"}},
      {"an empty command", withCommand(std::string(2, '\0')), {"file:///before"}},
      {"a command cut short by the end of the file",
       before.Bytes() + command(kSetTabWindow, Int32Fields({2, 20})).substr(0, 6),
       {"file:///before"}},
      {"a size cut short by the end of the file", before.Bytes() + "\x09", {"file:///before"}},
      {"a navigation whose pickle claims more than it holds",
       withCommand(command(kUpdateTabNavigation, Int32Fields({1000, 10, 0}))),
       {"file:///before"}},
      {"a navigation whose URL runs past its end",
       withCommand(command(kUpdateTabNavigation, Int32Fields({16, 10, 0, 100}) + "file")),
       {"file:///before"}},
      {"a navigation with a negative URL length",
       withCommand(command(kUpdateTabNavigation, Int32Fields({12, 10, 0, -4}))),
       {"file:///before"}},
      {"a navigation without its transition",
       withCommand(command(kUpdateTabNavigation, Int32Fields({20, 10, 0, 0, 0, 0}))),
       {"file:///before"}},
      {"a removal of no entries",
       withCommand(command(kTabNavigationPathPruned, Int32Fields({10, 0, 0}))),
       {"file:///before"}},
      {"a removal of no entries from the front",
       withCommand(command(kTabNavigationPathPrunedFromFront, Int32Fields({10, 0}))),
       {"file:///before"}},
      {"a removal at a negative index",
       withCommand(command(kTabNavigationPathPruned, Int32Fields({10, -1, 1}))),
       {"file:///before"}},
      {"a complete navigation is read",
       withCommand(command(kUpdateTabNavigation,
                           Int32Fields({28, 10, 0, 4}) + "file" + Int32Fields({0, 0, 0}))),
       {"file", "file:///after"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_THAT(TabsOf(c.file), ElementsAreArray(c.tabs));
  }
}

TEST(ChromiumSessionTest, FilesItCannotUseGiveNothing) {
  const std::string plain = SnssFile().WindowWithTabs(1, 10, {"file:///a"}).Marker().Bytes();
  const auto withVersion = [&](char version) {
    std::string file = plain;
    file[4] = version;
    return file;
  };
  const struct {
    const char* name;
    std::string file;
  } cases[] = {
      {"empty", ""},
      {"the signature alone", "SNSS"},
      {"another signature", "SNSZ" + plain.substr(4)},
      {"version 0", withVersion(0)},
      {"version 2, encrypted", withVersion(2)},
      {"version 4, encrypted", withVersion(4)},
      {"version 5", withVersion(5)},
      {"version 3 without its marker", SnssFile().WindowWithTabs(1, 10, {"file:///a"}).Bytes()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ChromiumSessionTabs(c.file), std::nullopt);
  }
}

}  // namespace
}  // namespace lintavo
