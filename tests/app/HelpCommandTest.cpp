#include <gtest/gtest.h>

#include "help/HelpEngine.h"
#include "help/probes/HelpEngineProbe.h"
#include "os/WindowHandle.h"
#include "support/HelpEngineRegistration.h"
#include "support/gui/MainWindowFixture.h"

namespace lintavo::test {
namespace {

// Help calls the engine that start-up loaded: a probe engine records the calls.
class HelpCommandTest : public MainWindowFixture {
 protected:
  ScopedHelpEngineRelease release_;
};

TEST_F(HelpCommandTest, EachPressOpensTheHelpFileBesideTheProgramOwnedByNoWindow) {
  RegisterHelpEngine(LINTAVO_HELP_ENGINE_PROBE);
  LoadHelpEngine();
  const auto recordedCalls = reinterpret_cast<RecordedHelpCallsFunction>(
      os::FindLibraryFunction(HelpEngineHandle(), "RecordedHelpCalls"));
  ASSERT_NE(recordedCalls, nullptr);
  const std::size_t before = recordedCalls().size();

  Start();
  Click("btnHelp");
  Click("btnHelp");

  const auto& calls = recordedCalls();
  ASSERT_EQ(calls.size(), before + 2);
  for (std::size_t call = before; call < calls.size(); ++call) {
    SCOPED_TRACE(call);
    EXPECT_EQ(calls[call].caller, os::DesktopWindow()) << "the main window does not own the help";
    EXPECT_EQ(calls[call].path, ProgramFolder() + "Lintavo.chm");
    EXPECT_EQ(calls[call].command, 0U);
    EXPECT_EQ(calls[call].data, 0U);
  }
  EXPECT_TRUE(messages_.Messages().empty());
}

TEST_F(HelpCommandTest, AnEngineWithoutTheEntrySaysHelpIsNotAvailable) {
  RegisterHelpEngine(LINTAVO_LIBRARY_WITHOUT_ENTRY);
  LoadHelpEngine();
  ASSERT_NE(HelpEngineHandle(), 0U);
  Start();
  Click("btnHelp");
  ASSERT_EQ(messages_.Messages().size(), 1U);
  EXPECT_EQ(messages_.Messages()[0].text,
            "Help is not available: the help viewer could not be loaded.");
}

}  // namespace
}  // namespace lintavo::test
