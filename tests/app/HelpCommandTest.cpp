#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QDialog>
#include <QTest>

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
  // Loads the probe engine; the calls it records, from those made so far on.
  void LoadProbeEngine() {
    RegisterHelpEngine(LINTAVO_HELP_ENGINE_PROBE);
    LoadHelpEngine();
    recordedCalls_ = reinterpret_cast<RecordedHelpCallsFunction>(
        os::FindLibraryFunction(HelpEngineHandle(), "RecordedHelpCalls"));
    ASSERT_NE(recordedCalls_, nullptr);
    callsBefore_ = recordedCalls_().size();
  }
  // Expects `count` calls since LoadProbeEngine, each opening the program's help as Help does.
  void ExpectHelpOpened(std::size_t count) {
    const auto& calls = recordedCalls_();
    ASSERT_EQ(calls.size(), callsBefore_ + count);
    for (std::size_t call = callsBefore_; call < calls.size(); ++call) {
      SCOPED_TRACE(call);
      EXPECT_EQ(calls[call].caller, os::DesktopWindow()) << "the main window does not own the help";
      EXPECT_EQ(calls[call].path, ProgramFolder() + "Lintavo.chm");
      EXPECT_EQ(calls[call].command, 0U);
      EXPECT_EQ(calls[call].data, 0U);
    }
  }

  ScopedHelpEngineRelease release_;
  RecordedHelpCallsFunction recordedCalls_ = nullptr;
  std::size_t callsBefore_ = 0;
};

TEST_F(HelpCommandTest, EachPressOpensTheHelpFileBesideTheProgramOwnedByNoWindow) {
  LoadProbeEngine();

  Start();
  Click("btnHelp");
  Click("btnHelp");

  ExpectHelpOpened(2);
  EXPECT_TRUE(messages_.Messages().empty());
}

// F1 is Help in every window of the program: the main window and the modal dialogs it opens. It
// goes with the main window.
TEST_F(HelpCommandTest, F1OpensTheHelpFromTheMainWindowAndFromAModalDialog) {
  LoadProbeEngine();
  Start();

  QTest::keyClick(&PageList(), Qt::Key_F1);
  QTest::keyClick(&Button("btnView"), Qt::Key_F1);
  ExpectHelpOpened(2);

  modals_.Then([](QDialog& dialog) {
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_F1);
    return static_cast<int>(QDialog::Rejected);
  });
  Click("bsSkinButton1");
  EXPECT_THAT(modals_.Shown(), ::testing::ElementsAre("lintavo::TfrmQuickAccess"));
  ExpectHelpOpened(3);
  EXPECT_TRUE(messages_.Messages().empty()) << "F1 on View did not press it";

  window_.reset();
  QWidget other;
  other.show();
  QTest::keyClick(&other, Qt::Key_F1);
  ExpectHelpOpened(3);
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
