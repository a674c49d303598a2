#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "base/Failure.h"
#include "browsers/BrowserFiles.h"
#include "browsers/ShellWindows.h"
#include "support/BrowserSessions.h"
#include "support/DescribedWindows.h"
#include "support/ScopedVariable.h"
#include "support/TestEnvironment.h"

namespace lintavo {
namespace {

namespace fs = std::filesystem;
using browsers::ShellWindows;
using test::AddChromiumProfile;
using test::AddFirefoxProfile;
using test::Described;
using test::LockChromiumUserData;
using testing::ElementsAre;

// A Firefox session of one window with one tab for each URL.
std::string FirefoxSession(std::initializer_list<std::string_view> urls) {
  std::string tabs;
  for (const std::string_view url : urls) {
    tabs += std::string(tabs.empty() ? "" : ",") + R"({"entries":[{"url":")" + std::string(url) +
            R"("}],"index":1})";
  }
  return test::MozLz4File(R"({"windows":[{"tabs":[)" + tabs + "]}]}");
}

std::string ChromiumSession(std::initializer_list<std::string_view> urls) {
  return test::SnssFile().WindowWithTabs(1, 1, urls).Marker().Bytes();
}

// Each test has a home of its own, where it lays out browsers that run (their locks name this
// test's process) or ran once.
class ShellWindowsSnapshotTest : public testing::Test {
 protected:
  std::string Firefox() const { return home_.Home() + "/.mozilla/firefox"; }
  std::string FirefoxXdg() const { return home_.ConfigHome() + "/mozilla/firefox"; }
  std::string FirefoxSnap() const { return home_.Home() + "/snap/firefox/common/.mozilla/firefox"; }
  std::string FirefoxFlatpak() const {
    return home_.Home() + "/.var/app/org.mozilla.firefox/.mozilla/firefox";
  }
  std::string Chromium() const { return home_.ConfigHome() + "/chromium"; }
  std::string Brave() const { return home_.ConfigHome() + "/BraveSoftware/Brave-Browser"; }
  std::string Vivaldi() const { return home_.ConfigHome() + "/vivaldi"; }

  // A running Chromium-family browser with one profile whose session holds `urls`.
  void RunningChromium(const std::string& userData, const std::string& profile,
                       std::initializer_list<std::string_view> urls) {
    if (!fs::is_symlink(userData + "/SingletonLock")) {
      LockChromiumUserData(userData, getpid());
    }
    AddChromiumProfile(userData, profile, ChromiumSession(urls));
  }

  test::IsolatedHome home_;
};

TEST_F(ShellWindowsSnapshotTest, AnAccountWithoutRunningBrowsersHasNoWindows) {
  EXPECT_EQ(ShellWindows::Snapshot().Count(), 0);

  AddFirefoxProfile(Firefox(), "ended", FirefoxSession({"file:///ff"}), test::EndedProcess());
  LockChromiumUserData(Chromium(), test::EndedProcess());
  AddChromiumProfile(Chromium(), "Default", ChromiumSession({"file:///cr"}));
  AddFirefoxProfile(Firefox(), "running", FirefoxSession({"file:///unlisted"}), getpid());
  fs::remove(Firefox() + "/profiles.ini");

  EXPECT_EQ(ShellWindows::Snapshot().Count(), 0);
}

// Firefox family first, in the order of its folders, then the Chromium family in its order; within
// a browser its profiles (profiles.ini's order, Chromium's folder names sorted), then windows and
// tabs in the browser's order.
TEST_F(ShellWindowsSnapshotTest, ListsTheTabsOfEveryRunningBrowserInOrder) {
  RunningChromium(Vivaldi(), "Default", {"file:///vivaldi"});
  RunningChromium(Brave(), "Default", {"file:///brave"});
  RunningChromium(Chromium(), "Profile 1", {"file:///chromium-p1"});
  RunningChromium(Chromium(), "Default",
                  {"file:///chromium-default-1", "file:///chromium-default-2"});
  AddFirefoxProfile(FirefoxFlatpak(), "f", FirefoxSession({"file:///flatpak"}), getpid());
  AddFirefoxProfile(FirefoxSnap(), "s", FirefoxSession({"file:///snap"}), getpid());
  AddFirefoxProfile(FirefoxXdg(), "x", FirefoxSession({"file:///xdg"}), getpid());
  AddFirefoxProfile(Firefox(), "zz",
                    FirefoxSession({"file:///firefox-zz-1", "file:///firefox-zz-2"}), getpid());
  AddFirefoxProfile(Firefox(), "aa", FirefoxSession({"file:///firefox-aa"}), getpid());

  const ShellWindows windows = ShellWindows::Snapshot();

  EXPECT_THAT(Described(windows),
              ElementsAre("file:///firefox-zz-1", "file:///firefox-zz-2", "file:///firefox-aa",
                          "file:///xdg", "file:///snap", "file:///flatpak",
                          "file:///chromium-default-1", "file:///chromium-default-2",
                          "file:///chromium-p1", "file:///brave", "file:///vivaldi"));
  for (int i = 0; i < windows.Count(); ++i) {
    EXPECT_TRUE(windows.Item(i)->isWebBrowser);
  }
}

// The files that real browsers wrote, laid into running profiles.
TEST_F(ShellWindowsSnapshotTest, ListsTheSessionsRealBrowsersWrote) {
  AddFirefoxProfile(Firefox(), "esr",
                    test::ReadFileBytes(test::FixturePath("browsers/firefox-esr/recovery.jsonlz4")),
                    getpid());
  LockChromiumUserData(Chromium(), getpid());
  AddChromiumProfile(
      Chromium(), "Default",
      test::ReadFileBytes(test::FixturePath("browsers/chromium/Session_13441350423003629")));

  const std::string pages = "file:///tmp/lintavo-pages/";
  EXPECT_THAT(Described(ShellWindows::Snapshot()),
              ElementsAre(pages + "first.html", pages + "plain.html",
                          pages + "plain.html?tab=3#caf%C3%A9", pages + "first.html",
                          pages + "plain.html", pages + "plain.html?tab=3#caf%C3%A9"));
}

// A Firefox session of one window with `count` tabs, https://example.org/tab/0 and on.
std::string FirefoxSessionOfManyTabs(int count) {
  std::string json = R"({"windows":[{"tabs":[)";
  for (int i = 0; i < count; ++i) {
    json += std::string(i == 0 ? "" : ",") + R"({"entries":[{"url":"https://example.org/tab/)" +
            std::to_string(i) + R"("}],"index":1})";
  }
  return test::MozLz4File(json + "]}]}");
}

// A profile is read once however often it is listed: profiles.ini names it over and over, in
// other spellings, through a link and by its absolute path; a second Firefox folder leads to the
// same one; and Chromium's profiles and user-data folders repeat through links too.
TEST_F(ShellWindowsSnapshotTest, ReadsEachProfileFolderOnceHoweverOftenItIsListed) {
  constexpr int kTabs = 12'000;
  const std::string work =
      AddFirefoxProfile(Firefox(), "work", FirefoxSessionOfManyTabs(kTabs), getpid());
  fs::copy_file(test::FixturePath("browsers/repeated/profiles.ini"), Firefox() + "/profiles.ini",
                fs::copy_options::overwrite_existing);
  fs::create_directory_symlink("work", Firefox() + "/alias");
  test::WriteFileBytes(
      Firefox() + "/profiles.ini",
      test::ReadFileBytes(Firefox() + "/profiles.ini") + "\n[Profile40]\nPath=" + work + "/.\n");
  fs::create_directories(fs::path(FirefoxXdg()).parent_path());
  fs::create_directory_symlink(Firefox(), FirefoxXdg());

  RunningChromium(Chromium(), "Default", {"file:///chromium"});
  fs::create_directory_symlink("Default", Chromium() + "/Profile 1");
  fs::create_directory_symlink(Chromium(), home_.ConfigHome() + "/google-chrome");

  const std::vector<std::string> listed = Described(ShellWindows::Snapshot());

  ASSERT_EQ(listed.size(), std::size_t{kTabs} + 1);
  EXPECT_EQ(listed.front(), "https://example.org/tab/0");
  EXPECT_EQ(listed[kTabs - 1], "https://example.org/tab/" + std::to_string(kTabs - 1));
  EXPECT_EQ(listed.back(), "file:///chromium");
}

// Browsers replace their session files while they run: a file that cannot be read or understood
// now is passed over, and everything else is still listed. Nothing makes the snapshot wait.
TEST_F(ShellWindowsSnapshotTest, PassesOverWhatCannotBeReadAndListsTheRest) {
  const pid_t self = getpid();
  AddFirefoxProfile(Firefox(), "not-lz4", "no mozLz4 file", self);
  AddFirefoxProfile(Firefox(), "empty", "", self);
  AddFirefoxProfile(Firefox(), "not-json", test::MozLz4File("{\"windows\":[{\"tabs\":["), self);
  const std::string pipe = AddFirefoxProfile(Firefox(), "pipe", "", self);
  fs::remove(pipe + "/sessionstore-backups/recovery.jsonlz4");
  ASSERT_EQ(mkfifo((pipe + "/sessionstore-backups/recovery.jsonlz4").c_str(), 0600), 0);
  const std::string folder = AddFirefoxProfile(Firefox(), "folder", "", self);
  fs::remove(folder + "/sessionstore-backups/recovery.jsonlz4");
  fs::create_directory(folder + "/sessionstore-backups/recovery.jsonlz4");
  const std::string missing = AddFirefoxProfile(Firefox(), "missing", "", self);
  fs::remove(missing + "/sessionstore-backups/recovery.jsonlz4");
  AddFirefoxProfile(Firefox(), "good", FirefoxSession({"file:///firefox"}), self);
  // profiles.ini naming folders that are not there, or that lead round in a circle
  std::string list = test::ReadFileBytes(Firefox() + "/profiles.ini");
  list +=
      "[Profile90]\nIsRelative=1\nPath=gone\n[Profile91]\nIsRelative=1\nPath=loop\n"
      "[Profile92]\nPath=" +
      Firefox() + "/loop/deeper\n";
  test::WriteFileBytes(Firefox() + "/profiles.ini", list);
  fs::create_symlink("loop", Firefox() + "/loop");

  RunningChromium(Chromium(), "Default", {"file:///chromium"});
  AddChromiumProfile(Chromium(), "Profile 1", std::string("SNSS\3\0\0\0garbage", 15));
  fs::create_directories(Chromium() + "/Profile 2/Sessions");
  ASSERT_EQ(mkfifo((Chromium() + "/Profile 2/Sessions/Session_99999999999999999").c_str(), 0600),
            0);
  fs::create_directories(Chromium() + "/Profile 3/Sessions");
  fs::create_symlink("Profile 4", Chromium() + "/Profile 4");

  EXPECT_THAT(Described(ShellWindows::Snapshot()),
              ElementsAre("file:///firefox", "file:///chromium"));
}

// A session file is read up to browsers/BrowserFiles.h's limit of 64 MB, decompressed too.
TEST_F(ShellWindowsSnapshotTest, ReadsSessionFilesUpToTheLimit) {
  const std::string head = R"({"windows":[{"tabs":[{"entries":[{"url":"file:///big"}]}]}],"x":")";
  const std::string tail = R"("})";
  const std::size_t limit = browsers::kMaxBrowserFileSize;
  for (const std::size_t size : {limit, limit + 1}) {
    SCOPED_TRACE(size);
    const test::IsolatedHome home;
    const std::string root = home.Home() + "/.mozilla/firefox";
    std::string json = head;
    json.append(size - head.size() - tail.size(), 'x');
    json += tail;
    AddFirefoxProfile(root, "big", test::MozLz4File(json), getpid());
    json.clear();
    AddFirefoxProfile(root, "small", FirefoxSession({"file:///small"}), getpid());

    const auto listed = Described(ShellWindows::Snapshot());

    if (size <= limit) {
      EXPECT_THAT(listed, ElementsAre("file:///big", "file:///small"));
    } else {
      EXPECT_THAT(listed, ElementsAre("file:///small"));
    }
  }
}

// Every browser file lies in the home folder; without one, the windows cannot be read at all.
TEST_F(ShellWindowsSnapshotTest, FailsWithTheSystemsWordsWhenThereIsNoHomeFolder) {
  test::WriteFileBytes(home_.Home() + "/file", "");
  const struct {
    const char* name;
    std::string home;  // empty: unset
    int error;
  } cases[] = {
      {"no HOME", "", ENOENT},
      {"a missing folder", home_.Home() + "/missing", ENOENT},
      {"a file", home_.Home() + "/file", ENOTDIR},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const test::ScopedVariable home("HOME", c.home.empty() ? nullptr : c.home.c_str());
    try {
      ShellWindows::Snapshot();
      ADD_FAILURE() << "no failure";
    } catch (const Failure& failure) {
      EXPECT_STREQ(failure.what(), std::strerror(c.error));
    }
  }
}

}  // namespace
}  // namespace lintavo
