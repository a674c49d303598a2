#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "browsers/chromium/ChromiumProfiles.h"
#include "support/TestEnvironment.h"

namespace lintavo {
namespace {

namespace fs = std::filesystem;
using browsers::ChromiumProfileFolders;
using browsers::NewestSessionFile;
using test::TempFolder;
using testing::ElementsAre;

TEST(ChromiumProfilesTest, LooksInTheUserDataFolderOfEachBrowserInOrder) {
  const test::IsolatedHome home;
  const std::string config = home.ConfigHome();
  EXPECT_THAT(browsers::ChromiumUserDataFolders(),
              ElementsAre(config + "/chromium", config + "/google-chrome",
                          config + "/BraveSoftware/Brave-Browser", config + "/microsoft-edge",
                          config + "/vivaldi"));
}

// A user-data folder holds much besides its profiles; a profile is a folder with sessions.
TEST(ChromiumProfilesTest, AProfileIsAFolderWithSessionsInOrderOfItsName) {
  TempFolder userData;
  for (const std::string profile : {"Profile 2", "Default", "Profile 10", "Guest Profile"}) {
    fs::create_directories(userData / (profile + "/Sessions"));
  }
  fs::create_directories(userData / "Crashpad");
  fs::create_directories(userData / "Profile 3");
  test::WriteFileBytes(userData / "Local State", "{}");
  test::WriteFileBytes(userData / "Sessions", "");
  fs::create_directory_symlink("Default", userData / "Linked");
  fs::create_symlink("Loop", userData / "Loop");

  const std::string folder = userData.Path().string();
  EXPECT_THAT(ChromiumProfileFolders(folder),
              ElementsAre(folder + "/Default", folder + "/Guest Profile", folder + "/Linked",
                          folder + "/Profile 10", folder + "/Profile 2"));
  EXPECT_THAT(ChromiumProfileFolders(userData / "missing"), ElementsAre());
}

TEST(ChromiumProfilesTest, TheNewestSessionFileHasTheLatestTimeInItsName) {
  const struct {
    const char* name;
    std::vector<std::string> files;
    std::string newest;  // empty: none
  } cases[] = {
      {"the later of two",
       {"Session_13441350155503558", "Session_13441350423003629"},
       "Session_13441350423003629"},
      {"times compare as numbers", {"Session_9", "Session_10", "Session_0011"}, "Session_0011"},
      {"other files are no session files",
       {"Session_5", "Tabs_99", "Apps_99", "Session_", "Session_9x", "Session_-9", "session_9"},
       "Session_5"},
      {"no session file", {"Tabs_13441350423003629"}, ""},
      {"no files", {}, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder profile;
    fs::create_directory(profile / "Sessions");
    for (const std::string& file : c.files) {
      test::WriteFileBytes(profile / ("Sessions/" + file), "");
    }
    EXPECT_EQ(NewestSessionFile(profile.Path().string()),
              c.newest.empty() ? "" : profile / ("Sessions/" + c.newest));
  }
}

}  // namespace
}  // namespace lintavo
