#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/mman.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "os/InstanceGuard.h"
#include "os/posix/InstanceNames.h"
#include "support/BrowserSessions.h"
#include "support/ProbeProcess.h"
#include "support/TestEnvironment.h"

namespace lintavo::test {
namespace {

namespace fs = std::filesystem;

// The program itself, started as real processes on the offscreen platform, in the test's isolated
// home (its pages go to a documents folder there, not beside the program). Each test runs its own
// copy of the program, in a folder of its own, so that tests running side by side never meet in
// the single-instance guard.
class ProgramProcessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    fs::create_directories(home_.Home() + "/Documents");
    const fs::path built = LINTAVO_PROGRAM;
    fs::copy_file(built, programFolder_.Path() / "lintavo");
    fs::copy_file(built.parent_path() / "template.htm", programFolder_.Path() / "template.htm");
  }

  // A copy the test killed leaves its record behind; it is removed with the copy's folder.
  void TearDown() override { shm_unlink(RecordName().c_str()); }

  std::string Program() const { return (programFolder_.Path() / "lintavo").string(); }
  std::string RecordName() const {
    return os::posix::RecordObjectName(
        os::InstanceGuard::MappingName(fs::canonical(Program()).string()), getuid());
  }

  std::string ConfigFile() const { return home_.ConfigHome() + "/Quellmark/LTVO/config.ini"; }

  // Waits, bounded, until `done` holds.
  template <typename Condition>
  static bool Await(Condition done) {
    for (int attempt = 0; attempt < 600; ++attempt) {
      if (done()) {
        return true;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
  }

  // A start has passed the guard and finished its start-up once it has stored LastPage.
  bool AwaitStartedUp() const {
    return Await([this] {
      return fs::exists(ConfigFile()) &&
             ReadFileBytes(ConfigFile()).find("LastPage=") != std::string::npos;
    });
  }

  // Whether the program's instance record exists, as another process of this user sees it.
  bool RecordExists() const {
    const int descriptor = shm_open(RecordName().c_str(), O_RDONLY, 0);
    if (descriptor >= 0) {
      close(descriptor);
    }
    return descriptor >= 0;
  }

  IsolatedHome home_;
  TempFolder programFolder_;
};

TEST_F(ProgramProcessTest, ASecondStartEndsWithExitCode0AndTheFirstRunsOn) {
  ProbeProcess first(Program(), {});
  ASSERT_TRUE(AwaitStartedUp());

  ProbeProcess second(Program(), {});
  EXPECT_EQ(second.ExitCode(), 0);
  EXPECT_TRUE(first.Running()) << "the first copy ended";

  // A killed copy never blocks the next start: this one is admitted and keeps running.
  first.Kill();
  ProbeProcess third(Program(), {});
  std::this_thread::sleep_for(std::chrono::seconds(1));
  EXPECT_TRUE(third.Running()) << "the start after a killed copy was refused";
}

// The diagnostics run before the single-instance guard: a refused start deletes the report of
// the run before it and writes its own.
TEST_F(ProgramProcessTest, ARefusedStartStillWritesItsDiagnosticsReport) {
  ProbeProcess first(Program(), {});
  ASSERT_TRUE(AwaitStartedUp());
  const std::string report = (programFolder_.Path() / "HHDebug.txt").string();
  EXPECT_FALSE(fs::exists(report)) << "written without being switched on";

  ProbeProcess second(Program(), {"/DEBUG", "second"});
  EXPECT_EQ(second.ExitCode(), 0);
  ASSERT_TRUE(fs::exists(report));
  EXPECT_NE(ReadFileBytes(report).find("Cmdline Param(s) =  \t/DEBUG | second\r\n"),
            std::string::npos);

  ProbeProcess third(Program(), {});
  EXPECT_EQ(third.ExitCode(), 0);
  EXPECT_FALSE(fs::exists(report)) << "the refused start left the last report";
}

// Once its window shows, a start takes Lintavo's user.js lines out of a Firefox profile that has
// taken the home page up (browsers/BrowserHomePages.h, SettleBrowserHomePages).
TEST_F(ProgramProcessTest, AStartSettlesTheHomePageLinesFirefoxNoLongerNeeds) {
  const std::string profile = AddFirefoxProfileFolder(home_.Home() + "/.mozilla/firefox", "p");
  const std::string homePage = "user_pref(\"browser.startup.homepage\", \"file:///p.htm\");\n";
  WriteFileBytes(profile + "/prefs.js", homePage);
  WriteFileBytes(profile + "/user.js", "user_pref(\"mine\", 1);\n// BEGIN Lintavo home page\n" +
                                           homePage + "// END Lintavo home page\n");

  ProbeProcess program(Program(), {});
  ASSERT_TRUE(AwaitStartedUp());

  EXPECT_TRUE(Await([&] {
    return ReadFileBytes(profile + "/user.js") == "user_pref(\"mine\", 1);\n";
  })) << ReadFileBytes(profile + "/user.js");
  EXPECT_TRUE(program.Running());
}

// Log-out or shutdown, `kill`, Ctrl+C and a closed terminal end the program as its Exit command
// does: it leaves its event loop, exits with 0 and gives up its instance record.
class ProgramProcessEndRequestTest : public ProgramProcessTest,
                                     public ::testing::WithParamInterface<int> {};

TEST_P(ProgramProcessEndRequestTest, EndsTheProgramInOrder) {
  ProbeProcess program(Program(), {});
  ASSERT_TRUE(AwaitStartedUp());
  ASSERT_TRUE(RecordExists());

  ASSERT_EQ(kill(program.Pid(), GetParam()), 0);

  EXPECT_EQ(program.ExitCode(), 0) << "it did not end in order";
  EXPECT_FALSE(RecordExists()) << "the instance was not released";
}

std::string SignalName(const ::testing::TestParamInfo<int>& signal) {
  return sigabbrev_np(signal.param);
}

INSTANTIATE_TEST_SUITE_P(Signals, ProgramProcessEndRequestTest,
                         ::testing::Values(SIGTERM, SIGINT, SIGHUP), SignalName);

// Start-up shows an error box when the settings cannot be written (here a folder stands in their
// place); a request to end the program ends that box's loop too, and the main loop never starts.
TEST_F(ProgramProcessTest, AnEndRequestEndsTheProgramWhileAnErrorBoxIsOpen) {
  fs::create_directories(ConfigFile());
  ProbeProcess program(Program(), {});
  const std::string lastPage = home_.Home() + "/Documents/My Home Pages/my home page 10.htm";
  ASSERT_TRUE(Await([&] { return fs::exists(lastPage); })) << "the pages were not written";
  // The box follows the pages at once; it is given a moment to come up.
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  ASSERT_TRUE(program.Running()) << "the error box did not keep the program waiting";

  ASSERT_EQ(kill(program.Pid(), SIGTERM), 0);

  EXPECT_EQ(program.ExitCode(), 0);
  EXPECT_FALSE(RecordExists());
}

}  // namespace
}  // namespace lintavo::test
