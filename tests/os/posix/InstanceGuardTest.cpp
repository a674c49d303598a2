#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "base/Failure.h"
#include "os/InstanceGuard.h"
#include "os/Paths.h"
#include "os/posix/InstanceNames.h"
#include "support/OtherUser.h"
#include "support/ProbeProcess.h"
#include "support/TestEnvironment.h"

namespace lintavo {
namespace {

namespace fs = std::filesystem;
using os::InstanceGuard;
using test::ProbeProcess;

struct Record {
  std::uint32_t window;
  std::int32_t instanceCount;
};

// The record of `executable` started by `user`, by default the user running the tests.
std::string RecordObjectOf(const std::string& executable, uid_t user = getuid()) {
  return os::posix::RecordObjectName(InstanceGuard::MappingName(executable), user);
}

// The instance record of `executable` as another process sees it; nothing when it does not exist.
std::optional<Record> RecordOf(const std::string& executable, uid_t user = getuid()) {
  const int descriptor = shm_open(RecordObjectOf(executable, user).c_str(), O_RDONLY, 0);
  if (descriptor < 0) {
    return std::nullopt;
  }
  Record record{};
  const bool whole = pread(descriptor, &record, sizeof record, 0) == sizeof record;
  close(descriptor);
  return whole ? std::optional<Record>(record) : std::nullopt;
}

std::string TextOf(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Waits, bounded, until the probe's request log holds `line`.
bool LogGets(const std::string& log, const std::string& line) {
  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (TextOf(log).find(line + "\n") == std::string::npos) {
    if (std::chrono::steady_clock::now() > giveUp) {
      return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

void SendDatagram(const std::string& abstractName, const std::string& bytes) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path + 1, abstractName.data(), abstractName.size());
  const int sender = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  ASSERT_GE(sender, 0);
  EXPECT_EQ(
      sendto(sender, bytes.data(), bytes.size(), 0, reinterpret_cast<sockaddr*>(&address),
             static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + abstractName.size())),
      static_cast<ssize_t>(bytes.size()));
  close(sender);
}

TEST(InstanceGuardNamesTest, MappingNameRemovesEveryPathDelimiterAndNothingElse) {
  const struct {
    const char* path;
    const char* name;
  } cases[] = {
      {"/usr/bin/lintavo", "usrbinlintavo"},
      {"/home/jo/My Home Pages/start pages", "homejoMy Home Pagesstart pages"},
      {"/opt//Lintavo/./C:\\x\\run", "optLintavo.C:\\x\\run"},
      {"lintavo", "lintavo"},
      {"/", ""},
      {"", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(InstanceGuard::MappingName(c.path), c.name) << c.path;
  }
}

TEST(InstanceGuardNamesTest, RecordAndSocketNamesCarryTheUserFitTheirLimitsAndStayDistinct) {
  EXPECT_EQ(os::posix::RecordObjectName("usrbinlintavo", 1000), "/usrbinlintavo-1000");
  EXPECT_EQ(os::posix::ActivationSocketName("usrbinlintavo", 0),
            "lintavo-activate:usrbinlintavo-0");

  const std::string longName(400, 'p');
  const std::string otherLongName = longName + "2";
  const std::string record = os::posix::RecordObjectName(longName, 1000);
  EXPECT_EQ(record.size(), 1u + NAME_MAX);
  EXPECT_EQ(record.substr(0, 100), "/" + longName.substr(0, 99));
  EXPECT_EQ(record, os::posix::RecordObjectName(longName, 1000));
  EXPECT_NE(record, os::posix::RecordObjectName(otherLongName, 1000));
  EXPECT_NE(record, os::posix::RecordObjectName(longName, 1001));

  const std::string socketName = os::posix::ActivationSocketName(longName, 1000);
  EXPECT_EQ(socketName.size(), sizeof(sockaddr_un::sun_path) - 1);
  EXPECT_EQ(socketName, os::posix::ActivationSocketName(longName, 1000));
  EXPECT_NE(socketName, os::posix::ActivationSocketName(otherLongName, 1000));
  EXPECT_NE(socketName, os::posix::ActivationSocketName(longName, 1001));
}

// Guards in this process use the test program's own path. Open-file-description locks set them
// apart as if each were a process of its own. Everything that uses this one record is in one test,
// since the test cases may run side by side in separate processes.
TEST(InstanceGuardInProcessTest, AdmitsCountsRefusesAndReleasesThroughTheApi) {
  const std::string program = os::ProgramPath();
  const std::string socketName =
      os::posix::ActivationSocketName(InstanceGuard::MappingName(program), getuid());

  InstanceGuard first;
  ASSERT_FALSE(first.RefuseIfRunning(0x1234, 1));
  const int handle = static_cast<int>(first.ActivationRequestHandle());
  ASSERT_GE(handle, 0);
  EXPECT_NE(fcntl(handle, F_GETFL) & O_NONBLOCK, 0);
  EXPECT_NE(fcntl(handle, F_GETFD) & FD_CLOEXEC, 0);
  EXPECT_FALSE(first.TakeActivationRequest()) << "nothing is pending yet";

  {
    InstanceGuard refused;
    EXPECT_TRUE(refused.RefuseIfRunning(0x5678, 1));
    EXPECT_TRUE(refused.RefuseIfRunning(0x5678, 1)) << "a second call gives the same answer";
    EXPECT_EQ(refused.ActivationRequestHandle(), os::kNoWaitHandle);
  }
  EXPECT_TRUE(first.TakeActivationRequest());
  EXPECT_FALSE(first.TakeActivationRequest()) << "one request was sent";
  SendDatagram(socketName, "restore-and-activate please");
  SendDatagram(socketName, "");
  EXPECT_FALSE(first.TakeActivationRequest());
  EXPECT_FALSE(first.TakeActivationRequest());
  auto record = RecordOf(program);
  ASSERT_TRUE(record);
  EXPECT_EQ(record->window, 0x1234u);
  EXPECT_EQ(record->instanceCount, 1);

  {
    // A maximum above the count admits another instance, which then holds the record too.
    InstanceGuard second;
    EXPECT_FALSE(second.RefuseIfRunning(0x9abc, 2));
    EXPECT_EQ(second.ActivationRequestHandle(), os::kNoWaitHandle) << "the first instance listens";
    EXPECT_TRUE(InstanceGuard().RefuseIfRunning(0xdef0, 2));
    record = RecordOf(program);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->window, 0x9abcu);
    EXPECT_EQ(record->instanceCount, 2);
  }
  record = RecordOf(program);
  ASSERT_TRUE(record) << "the first instance still holds it";
  EXPECT_EQ(record->instanceCount, 1) << "the destructor gave up the second place";

  first.ReleaseInstance();
  EXPECT_EQ(first.ActivationRequestHandle(), os::kNoWaitHandle);
  EXPECT_FALSE(first.TakeActivationRequest());
  EXPECT_FALSE(RecordOf(program)) << "the last instance to end removes the record";
  first.ReleaseInstance();

  {
    InstanceGuard next;
    EXPECT_FALSE(next.RefuseIfRunning(7, 1));
    record = RecordOf(program);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->window, 7u);
    EXPECT_EQ(record->instanceCount, 1);
    next.ReleaseInstance();
  }
  EXPECT_FALSE(RecordOf(program));
}

TEST(InstanceGuardFailureTest, ARecordThatCannotBeOpenedFailsWithTheSystemError) {
  // With every descriptor below the limit in use, opening the record fails with EMFILE.
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &saved), 0);
  const int lowestFree = open("/dev/null", O_RDONLY | O_CLOEXEC);
  ASSERT_GE(lowestFree, 0);
  close(lowestFree);
  rlimit lowered = saved;
  lowered.rlim_cur = static_cast<rlim_t>(lowestFree);
  ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &lowered), 0);

  // The failure is looked at only once descriptors are free again: a sanitizer's own checks on it
  // may need one.
  std::exception_ptr thrown;
  {
    InstanceGuard guard;
    try {
      guard.RefuseIfRunning(1, 1);
    } catch (...) {
      thrown = std::current_exception();
    }
  }
  setrlimit(RLIMIT_NOFILE, &saved);
  ASSERT_TRUE(thrown) << "no failure raised";
  EXPECT_THAT([&] { std::rethrow_exception(thrown); },
              testing::ThrowsMessage<Failure>("System Error.  Code: 24.\nToo many open files"));
}

// Copies of the probe (tests/os/probes/guard_probe.cpp) run as real processes, each copy in a
// folder of its own, so its record is its own.
class InstanceGuardProcessTest : public ::testing::Test {
 protected:
  void TearDown() override {
    // A failed test may leave a killed instance's record behind.
    for (const std::string& probe : probes_) {
      shm_unlink(RecordObjectOf(probe).c_str());
      shm_unlink(RecordObjectOf(probe, test::kOtherUser).c_str());
    }
  }

  // Copies the probe to `relativePath` inside the test's folder; its path as the system reports it.
  std::string CopyProbe(const std::string& relativePath = "guard_probe") {
    const fs::path target = folder_.Path() / relativePath;
    fs::create_directories(target.parent_path());
    fs::copy_file(LINTAVO_GUARD_PROBE, target);
    fs::permissions(target, fs::perms::owner_all);
    probes_.push_back(fs::canonical(target).string());
    return probes_.back();
  }

  std::unique_ptr<ProbeProcess> Start(const std::string& probe, const std::string& name,
                                      int input = -1) {
    std::vector<std::string> arguments = {folder_ / (name + ".log"), folder_ / (name + ".stop")};
    if (input >= 0) {
      arguments.push_back("--gated");
    }
    return std::make_unique<ProbeProcess>(probe, arguments, input);
  }

  std::unique_ptr<ProbeProcess> StartAsOtherUser(const std::string& probe,
                                                 const std::string& name) {
    const test::Command command =
        test::AsOtherUser(probe, {folder_ / (name + ".log"), folder_ / (name + ".stop")});
    return std::make_unique<ProbeProcess>(command.program, command.arguments);
  }

  std::string LogOf(const std::string& name) const { return folder_ / (name + ".log"); }
  void Stop(const std::string& name) const { test::WriteFileBytes(folder_ / (name + ".stop"), ""); }

  test::TempFolder folder_;
  std::vector<std::string> probes_;
};

class InstanceGuardPathTest : public InstanceGuardProcessTest,
                              public ::testing::WithParamInterface<std::string> {};

TEST_P(InstanceGuardPathTest, ASecondStartIsRefusedAndBringsTheFirstToTheFront) {
  const std::string probe = CopyProbe(GetParam());
  auto first = Start(probe, "first");
  ASSERT_EQ(first->FirstLine(), "admitted");
  auto record = RecordOf(probe);
  ASSERT_TRUE(record);
  EXPECT_EQ(record->window, static_cast<std::uint32_t>(first->Pid()));
  EXPECT_EQ(record->instanceCount, 1);

  auto second = Start(probe, "second");
  ASSERT_EQ(second->FirstLine(), "refused");
  EXPECT_EQ(second->ExitCode(), 0);
  EXPECT_TRUE(LogGets(LogOf("first"), "activated"));
  record = RecordOf(probe);
  ASSERT_TRUE(record);
  EXPECT_EQ(record->window, static_cast<std::uint32_t>(first->Pid()));
  EXPECT_EQ(record->instanceCount, 1) << "the refused start left the count alone";

  Stop("first");
  EXPECT_EQ(first->ExitCode(), 0);
  EXPECT_FALSE(RecordOf(probe)) << "the refused start did not keep the record alive";
}

// The paths below the test folder, the last too long for one shared memory or socket name.
const std::string kProbePaths[] = {
    "guard_probe",
    "My Home Pages/guard probe",
    std::string(200, 'd') + "/" + std::string(200, 'e') + "/guard_probe",
};
const char* const kProbePathNames[] = {"Plain", "WithSpaces", "TooLongForOneName"};

std::string ProbePathName(const ::testing::TestParamInfo<std::string>& info) {
  return kProbePathNames[info.index];
}

INSTANTIATE_TEST_SUITE_P(Paths, InstanceGuardPathTest, ::testing::ValuesIn(kProbePaths),
                         ProbePathName);

TEST_F(InstanceGuardProcessTest, AStartAfterAnOrderlyEndIsAdmitted) {
  const std::string probe = CopyProbe();
  auto first = Start(probe, "first");
  ASSERT_EQ(first->FirstLine(), "admitted");
  Stop("first");
  ASSERT_EQ(first->ExitCode(), 0);

  auto next = Start(probe, "next");
  EXPECT_EQ(next->FirstLine(), "admitted");
  Stop("next");
  EXPECT_EQ(next->ExitCode(), 0);
}

TEST_F(InstanceGuardProcessTest, AKilledInstanceNeverBlocksTheNextStart) {
  const std::string probe = CopyProbe();
  auto killed = Start(probe, "killed");
  ASSERT_EQ(killed->FirstLine(), "admitted");
  killed->Kill();
  const auto stale = RecordOf(probe);
  ASSERT_TRUE(stale) << "the killed instance's record is left";
  EXPECT_EQ(stale->instanceCount, 1);

  auto next = Start(probe, "next");
  EXPECT_EQ(next->FirstLine(), "admitted");
  const auto record = RecordOf(probe);
  ASSERT_TRUE(record);
  EXPECT_EQ(record->window, static_cast<std::uint32_t>(next->Pid()));
  EXPECT_EQ(record->instanceCount, 1);
  Stop("next");
  EXPECT_EQ(next->ExitCode(), 0);
}

TEST_F(InstanceGuardProcessTest, CopiesInDifferentFoldersRunSideBySide) {
  const std::string one = CopyProbe("one/guard_probe");
  const std::string two = CopyProbe("two/guard_probe");
  auto first = Start(one, "one");
  auto second = Start(two, "two");
  EXPECT_EQ(first->FirstLine(), "admitted");
  EXPECT_EQ(second->FirstLine(), "admitted");
  Stop("one");
  Stop("two");
  EXPECT_EQ(first->ExitCode(), 0);
  EXPECT_EQ(second->ExitCode(), 0);
  EXPECT_EQ(TextOf(LogOf("one")), "") << "neither asked the other to come to the front";
  EXPECT_EQ(TextOf(LogOf("two")), "");
}

// An installed program is one path for every user of the machine; each user runs a copy of it.
TEST_F(InstanceGuardProcessTest, EachUserHasAnInstanceOfTheirOwn) {
  if (!test::CanActAsOtherUser()) {
    GTEST_SKIP() << "needs root to start a second user's copy";
  }
  test::OpenToEveryone(folder_.Path().string());
  const std::string probe = CopyProbe();
  fs::permissions(probe, fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec |
                             fs::perms::group_read | fs::perms::others_read);

  auto mine = Start(probe, "mine");
  ASSERT_EQ(mine->FirstLine(), "admitted");
  auto theirs = StartAsOtherUser(probe, "theirs");
  ASSERT_EQ(theirs->FirstLine(), "admitted") << "the other user was refused";

  // Each user's second start meets that user's own copy.
  auto mineAgain = Start(probe, "mine-again");
  EXPECT_EQ(mineAgain->FirstLine(), "refused");
  auto theirsAgain = StartAsOtherUser(probe, "theirs-again");
  EXPECT_EQ(theirsAgain->FirstLine(), "refused");
  EXPECT_TRUE(LogGets(LogOf("mine"), "activated"));
  EXPECT_TRUE(LogGets(LogOf("theirs"), "activated"));
  EXPECT_EQ(TextOf(LogOf("mine")), "activated\n");
  EXPECT_EQ(TextOf(LogOf("theirs")), "activated\n");

  Stop("mine");
  Stop("theirs");
  EXPECT_EQ(mine->ExitCode(), 0);
  EXPECT_EQ(theirs->ExitCode(), 0);
  EXPECT_FALSE(RecordOf(probe));
  EXPECT_FALSE(RecordOf(probe, test::kOtherUser));
}

TEST_F(InstanceGuardProcessTest, TwentySimultaneousStartsAdmitExactlyOne) {
  const std::string probe = CopyProbe();
  // All probes wait for the end of one shared input, then start at the same moment.
  int gate[2];
  ASSERT_EQ(pipe2(gate, O_CLOEXEC), 0);
  std::vector<std::unique_ptr<ProbeProcess>> starts;
  for (int i = 0; i < 20; ++i) {
    starts.push_back(Start(probe, "probe", gate[0]));
  }
  close(gate[0]);
  close(gate[1]);

  std::vector<ProbeProcess*> admitted;
  int refused = 0;
  for (const auto& start : starts) {
    const std::string answer = start->FirstLine();
    if (answer == "admitted") {
      admitted.push_back(start.get());
    } else if (answer == "refused") {
      ++refused;
      EXPECT_EQ(start->ExitCode(), 0);
    }
  }
  ASSERT_EQ(admitted.size(), 1u);
  EXPECT_EQ(refused, 19);
  EXPECT_TRUE(LogGets(LogOf("probe"), "activated"));
  const auto record = RecordOf(probe);
  ASSERT_TRUE(record);
  EXPECT_EQ(record->window, static_cast<std::uint32_t>(admitted.front()->Pid()));
  EXPECT_EQ(record->instanceCount, 1);
  Stop("probe");
  EXPECT_EQ(admitted.front()->ExitCode(), 0);
}

TEST_F(InstanceGuardProcessTest, StartsRacingOrderlyExitsNeverRunTwoInstancesAtOnce) {
  // Each probe starts and ends many times; while admitted it holds a lock that a second instance
  // admitted at the same time could not get. The last orderly exit removes the record while other
  // starts wait to read it, which is where a start could end up on a removed record.
  const std::string probe = CopyProbe();
  int gate[2];
  ASSERT_EQ(pipe2(gate, O_CLOEXEC), 0);
  std::vector<std::unique_ptr<ProbeProcess>> probes;
  for (int i = 0; i < 8; ++i) {
    probes.push_back(std::make_unique<ProbeProcess>(
        probe, std::vector<std::string>{"--churn", "200", folder_ / "witness", "--gated"},
        gate[0]));
  }
  close(gate[0]);
  close(gate[1]);

  int admitted = 0;
  for (const auto& churning : probes) {
    const std::string answer = churning->FirstLine();
    ASSERT_EQ(answer.rfind("admitted ", 0), 0u) << answer;
    admitted += std::stoi(answer.substr(9));
    EXPECT_EQ(churning->ExitCode(), 0);
  }
  EXPECT_GT(admitted, 0);
  EXPECT_FALSE(RecordOf(probe));
}

}  // namespace
}  // namespace lintavo
