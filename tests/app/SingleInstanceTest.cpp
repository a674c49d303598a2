#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "support/ProbeProcess.h"
#include "support/TestEnvironment.h"

namespace lintavo::test {
namespace {

namespace fs = std::filesystem;

// The program itself, started twice as real processes on the offscreen platform, in the test's
// isolated home (its pages go to a documents folder there, not beside the program).
class SingleInstanceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    fs::create_directories(home_.Home() + "/Documents");
  }

  // The first start has passed the guard and finished its start-up once it has stored LastPage.
  bool AwaitStartedUp() const {
    const std::string config = home_.ConfigHome() + "/Quellmark/LTVO/config.ini";
    for (int attempt = 0; attempt < 600; ++attempt) {
      if (fs::exists(config) && ReadFileBytes(config).find("LastPage=") != std::string::npos) {
        return true;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
  }

  IsolatedHome home_;
};

TEST_F(SingleInstanceTest, ASecondStartEndsWithExitCode0AndTheFirstRunsOn) {
  ProbeProcess first(LINTAVO_PROGRAM, {});
  ASSERT_TRUE(AwaitStartedUp());

  ProbeProcess second(LINTAVO_PROGRAM, {});
  EXPECT_EQ(second.ExitCode(), 0);
  EXPECT_TRUE(first.Running()) << "the first copy ended";

  // A killed copy never blocks the next start: this one is admitted and keeps running.
  first.Kill();
  ProbeProcess third(LINTAVO_PROGRAM, {});
  std::this_thread::sleep_for(std::chrono::seconds(1));
  EXPECT_TRUE(third.Running()) << "the start after a killed copy was refused";
}

}  // namespace
}  // namespace lintavo::test
