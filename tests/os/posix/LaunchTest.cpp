#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <thread>

#include "os/Launch.h"
#include "support/ScopedVariable.h"
#include "support/TestEnvironment.h"

namespace lintavo {
namespace {

namespace fs = std::filesystem;
using test::ReadFileBytes;
using test::WriteFileBytes;

// Waits for something a started program does, giving up after a generous bound so a fault
// shows as a failure rather than a hang.
bool WaitUntil(const std::function<bool()>& condition) {
  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > giveUp) {
      return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

// The content of a file a script writes; scripts write beside it and rename, so it is whole.
std::optional<std::string> WaitForFile(const std::string& path) {
  if (!WaitUntil([&] { return fs::exists(path); })) {
    return std::nullopt;
  }
  return ReadFileBytes(path);
}

// A shell script whose commands write their result to `output` in one step.
std::string WriteScript(const std::string& path, const std::string& commands,
                        const std::string& output) {
  WriteFileBytes(path, "#!/bin/sh\n{\n" + commands + "\n} > '" + output + ".tmp' && mv '" + output +
                           ".tmp' '" + output + "'\n");
  chmod(path.c_str(), 0755);
  return path;
}

// The session a process leads or belongs to, from the sixth field of /proc/<pid>/stat.
pid_t SessionOf(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
  std::istringstream fields(text.substr(text.rfind(')') + 1));
  std::string state;
  pid_t parent = 0, group = 0, session = 0;
  fields >> state >> parent >> group >> session;
  return session;
}

class LaunchTest : public ::testing::Test {
 protected:
  test::TempFolder folder_;
};

TEST_F(LaunchTest, TheParametersArriveAsOneUnchangedArgument) {
  const std::string parameters[] = {
      "file:///home/user/My Home Pages/index.htm",
      "",
      "\"quoted\" 'single' $HOME $(touch gotcha) `x` ; | & < > * ? \\ %1",
      "--flag-like",
      "line\nbreak \xc3\xbc",
  };
  int run = 0;
  for (const std::string& parameter : parameters) {
    SCOPED_TRACE(parameter);
    const std::string output = folder_ / ("arguments" + std::to_string(run++));
    const std::string script =
        WriteScript(folder_ / "recorder", "printf '%s\\n' \"$#\"; printf '%s' \"$1\"", output);

    ASSERT_TRUE(os::ShellExecuteOpen(script, parameter));

    EXPECT_EQ(WaitForFile(output), "1\n" + parameter);
  }
  EXPECT_FALSE(fs::exists(folder_ / "gotcha")) << "no shell may read the parameters";
}

TEST_F(LaunchTest, ABareNameIsFoundOnPath) {
  test::TempFolder bin;
  test::ScopedVariable path(
      "PATH", ("/nonexistent:relative:" + bin.Path().string() + ":/usr/bin:/bin").c_str());
  const std::string output = folder_ / "arguments";
  WriteScript(bin / "recorder", "printf '%s' \"$1\"", output);

  ASSERT_TRUE(os::ShellExecuteOpen("recorder", "found"));

  EXPECT_EQ(WaitForFile(output), "found");
}

TEST_F(LaunchTest, WhatCannotBeStartedIsReported) {
  test::TempFolder bin;
  test::ScopedVariable path("PATH", bin.Path().c_str());
  WriteFileBytes(bin / "not-executable", "#!/bin/sh\ntouch '" + (folder_ / "ran") + "'\n");
  for (const std::string& program :
       {std::string(), folder_ / "missing", std::string("missing-everywhere"),
        bin / "not-executable", std::string("not-executable"), bin.Path().string()}) {
    EXPECT_FALSE(os::ShellExecuteOpen(program, "x")) << program;
  }
  EXPECT_FALSE(fs::exists(folder_ / "ran"));
}

TEST_F(LaunchTest, TheProgramRunsOnItsOwnAndIsReapedWhenItEnds) {
  const std::string pidFile = folder_ / "pid";
  const std::string release = folder_ / "release";
  const std::string output = folder_ / "result";
  // The script cannot end before the test releases it (it gives up after about 30 s).
  const std::string script =
      WriteScript(folder_ / "waiter",
                  "echo $$ > '" + pidFile + ".tmp' && mv '" + pidFile + ".tmp' '" + pidFile +
                      "'\n" + "i=0; while [ ! -e '" + release +
                      "' ] && [ $i -lt 600 ]; do i=$((i+1)); sleep 0.05; done\n"
                      "[ -e '" +
                      release + "' ] && echo released || echo gave up",
                  output);

  // Returning at all while the program waits for us shows that the caller does not wait.
  ASSERT_TRUE(os::ShellExecuteOpen(script, ""));
  const auto pidText = WaitForFile(pidFile);
  ASSERT_TRUE(pidText);
  const pid_t pid = std::stoi(*pidText);
  EXPECT_EQ(SessionOf(pid), pid) << "the program leads a session of its own";
  WriteFileBytes(release, "");

  EXPECT_EQ(WaitForFile(output), "released\n");
  EXPECT_TRUE(WaitUntil([&] { return !fs::exists("/proc/" + std::to_string(pid)); }))
      << "the ended program is left as a zombie";
}

TEST_F(LaunchTest, TheProgramGetsNoneOfOurOpenFiles) {
  const int file = open((folder_ / "held").c_str(), O_CREAT | O_WRONLY, 0644);
  ASSERT_GE(file, 0);
  // Far above the numbers a shell uses for itself; without close-on-exec, like a careless handle.
  const int inherited = fcntl(file, F_DUPFD, 40);
  close(file);
  ASSERT_GE(inherited, 40);
  const std::string output = folder_ / "result";
  const std::string script = WriteScript(
      folder_ / "probe",
      "[ -e /proc/$$/fd/" + std::to_string(inherited) + " ] && echo open || echo closed", output);

  ASSERT_TRUE(os::ShellExecuteOpen(script, ""));

  EXPECT_EQ(WaitForFile(output), "closed\n");
  close(inherited);
}

}  // namespace
}  // namespace lintavo
