#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "help/HelpEngine.h"
#include "support/HelpEngineRegistration.h"
#include "support/TestEnvironment.h"

namespace lintavo::test {
namespace {

namespace fs = std::filesystem;

// How start-up finds and loads the help engine from the value its class registration holds.
class HelpEngineTest : public ::testing::Test {
 protected:
  IsolatedHome home_;
  TempFolder folder_;
  ScopedHelpEngineRelease release_;
};

enum class Outcome {
  NotFound,         // no path, nothing loaded
  FoundNotLoaded,   // the path is given, but nothing loads from it
  LoadedNoEntry,    // a library loads, but it has no HtmlHelpA
  LoadedWithEntry,  // the engine is ready
};

struct LookupCase {
  const char* what;
  std::function<std::string(const TempFolder&)> value;  // nullptr: nothing registered
  Outcome outcome;
};

TEST_F(HelpEngineTest, TheRegisteredValueDecidesWhatLoads) {
  const LookupCase cases[] = {
      {"nothing registered", nullptr, Outcome::NotFound},
      {"an empty value", [](const TempFolder&) { return std::string(); }, Outcome::NotFound},
      {"an unexpanded system folder",
       [](const TempFolder&) { return std::string("%SystemRoot%\\System32\\hhctrl.ocx"); },
       Outcome::NotFound},
      {"a missing file", [](const TempFolder& folder) { return folder / "gone.so"; },
       Outcome::NotFound},
      {"a folder", [](const TempFolder& folder) { return folder.Path().string(); },
       Outcome::NotFound},
      {"a file that is no library",
       [](const TempFolder& folder) {
         WriteFileBytes(folder / "engine.so", "not a library\n");
         return folder / "engine.so";
       },
       Outcome::FoundNotLoaded},
      {"a library without the entry",
       [](const TempFolder&) { return std::string(LINTAVO_LIBRARY_WITHOUT_ENTRY); },
       Outcome::LoadedNoEntry},
      {"the engine", [](const TempFolder&) { return std::string(LINTAVO_HELP_ENGINE_PROBE); },
       Outcome::LoadedWithEntry},
  };
  for (const LookupCase& lookup : cases) {
    SCOPED_TRACE(lookup.what);
    const IsolatedHome home;
    const TempFolder folder;
    const std::string value = lookup.value ? lookup.value(folder) : std::string();
    if (lookup.value) {
      RegisterHelpEngine(value);
    }
    EXPECT_EQ(LocateHelpEngine(), lookup.outcome == Outcome::NotFound ? "" : value);
    LoadHelpEngine();
    const bool loaded =
        lookup.outcome == Outcome::LoadedNoEntry || lookup.outcome == Outcome::LoadedWithEntry;
    EXPECT_EQ(HelpEngineHandle() != 0, loaded);
    EXPECT_EQ(HtmlHelpEntry() != nullptr, lookup.outcome == Outcome::LoadedWithEntry);
    UnloadHelpEngine();
    EXPECT_EQ(HelpEngineHandle(), 0U);
    EXPECT_EQ(HtmlHelpEntry(), nullptr);
  }
}

// A relative value names the file in the current folder, as the existence test read it: a text
// file there must not make the system's library of the same name load instead.
TEST_F(HelpEngineTest, ARelativeValueNamesTheFileInTheCurrentFolderOnly) {
  const fs::path before = fs::current_path();
  fs::current_path(folder_.Path());
  WriteFileBytes(folder_ / "libc.so.6", "not a library\n");
  RegisterHelpEngine("libc.so.6");
  LoadHelpEngine();
  fs::current_path(before);
  EXPECT_EQ(HelpEngineHandle(), 0U);
}

// Start-up loads once; a later registration changes nothing until the engine is released.
TEST_F(HelpEngineTest, LoadingWhileLoadedKeepsTheEngineAndReleasingAllowsANewOne) {
  RegisterHelpEngine(LINTAVO_HELP_ENGINE_PROBE);
  LoadHelpEngine();
  const os::LibraryHandle first = HelpEngineHandle();
  ASSERT_NE(first, 0U);
  RegisterHelpEngine(LINTAVO_LIBRARY_WITHOUT_ENTRY);
  LoadHelpEngine();
  EXPECT_EQ(HelpEngineHandle(), first);
  EXPECT_NE(HtmlHelpEntry(), nullptr);

  UnloadHelpEngine();
  LoadHelpEngine();
  EXPECT_NE(HelpEngineHandle(), 0U);
  EXPECT_EQ(HtmlHelpEntry(), nullptr);
}

}  // namespace
}  // namespace lintavo::test
