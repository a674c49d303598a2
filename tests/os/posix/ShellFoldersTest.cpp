#include <gtest/gtest.h>

#include "os/ShellFolders.h"
#include "support/TestEnvironment.h"

namespace lintavo {
namespace {

using test::WriteFileBytes;
using namespace std::string_literals;

void SetVariable(const char* name, const char* value) {
  if (value) {
    setenv(name, value, 1);
  } else {
    unsetenv(name);
  }
}

class ShellFoldersTest : public ::testing::Test {
 protected:
  // "~" at the start of an expected path stands for the isolated home folder.
  std::string InHome(const std::string& path) const {
    return path.starts_with("~") ? home_.Home() + path.substr(1) : path;
  }
  void WriteUserDirs(const std::string& content) const {
    WriteFileBytes(home_.ConfigHome() + "/user-dirs.dirs", content);
  }

  test::IsolatedHome home_;
};

TEST_F(ShellFoldersTest, AppDataIsTheConfigHome) {
  struct Case {
    const char* configHome;  // nullptr: unset
    std::string expected;
  };
  const Case cases[] = {
      {"/srv/config", "/srv/config"},   {"/srv/config//", "/srv/config"},
      {nullptr, "~/.config"},           {"", "~/.config"},
      {"relative/config", "~/.config"},  // a relative path is no valid setting
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.configHome ? c.configHome : "(unset)");
    SetVariable("XDG_CONFIG_HOME", c.configHome);
    EXPECT_EQ(os::GetSpecialFolder(os::SpecialFolder::kAppData), InHome(c.expected));
  }
}

TEST_F(ShellFoldersTest, DesktopComesFromTheUserFolders) {
  struct Case {
    std::string userDirs;
    std::string expected;
  };
  const Case cases[] = {
      {"XDG_DESKTOP_DIR=\"$HOME/Bureau\"\n", "~/Bureau"},
      {"# written by the desktop\nXDG_DOCUMENTS_DIR=\"$HOME/Docs\"\n"
       "XDG_DESKTOP_DIR=\"$HOME/Arbeitsfläche\"\n",
       "~/Arbeitsfläche"},
      {"XDG_DESKTOP_DIR=\"/data/desk/\"\r\n", "/data/desk"},
      {"XDG_DESKTOP_DIR=\"Schreibtisch\"\n", "~/Schreibtisch"},
      {"XDG_DESKTOP_DIR=\"$HOME/\"\n", "~"},
      {"  XDG_DESKTOP_DIR = \"$HOME/My \\\"Desk\\\"\"\n", "~/My \"Desk\""},
      {"XDG_DESKTOP_DIR=${HOME}/Desk\n", "~/Desk"},
      {"XDG_DESKTOP_DIR=\"$HOME/First\"\nXDG_DESKTOP_DIR=\"$HOME/Second\"\n", "~/Second"},
      // No usable line: the default.
      {"", "~/Desktop"},
      {"# XDG_DESKTOP_DIR=\"/commented\"\n", "~/Desktop"},
      {"XDG_DESKTOP_DIRS=\"/other\"\nXDG_DESKTOP_DIR=\"\"\n", "~/Desktop"},
      {"\0\xff\xfe garbage\nXDG_DESKTOP_DIR"s, "~/Desktop"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.userDirs);
    WriteUserDirs(c.userDirs);
    EXPECT_EQ(os::GetSpecialFolder(os::SpecialFolder::kDesktopDirectory), InHome(c.expected));
  }
}

TEST_F(ShellFoldersTest, DesktopDefaultsWithoutAUserFoldersFile) {
  EXPECT_EQ(os::GetSpecialFolder(os::SpecialFolder::kDesktopDirectory), home_.Home() + "/Desktop");
}

// The documents folder is named whether or not it exists yet: the pages' place makes it.
TEST_F(ShellFoldersTest, DocumentsComeFromTheUserFoldersElseTheHomesDocuments) {
  EXPECT_EQ(os::GetSpecialFolder(os::SpecialFolder::kPersonal), home_.Home() + "/Documents");
  WriteUserDirs("XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n");
  EXPECT_EQ(os::GetSpecialFolder(os::SpecialFolder::kPersonal), home_.Home() + "/Dokumente");
}

TEST_F(ShellFoldersTest, QuickLaunchIsTheLauncherFolderOfTheDataHome) {
  EXPECT_EQ(os::QuickLaunchFolder(), home_.DataHome() + "/applications");
  SetVariable("XDG_DATA_HOME", nullptr);
  EXPECT_EQ(os::QuickLaunchFolder(), home_.Home() + "/.local/share/applications");
  SetVariable("XDG_DATA_HOME", "/srv/data/");
  EXPECT_EQ(os::QuickLaunchFolder(), "/srv/data/applications");
}

TEST_F(ShellFoldersTest, NoHomeGivesNoFolderRatherThanOneAtTheRoot) {
  SetVariable("HOME", "");
  SetVariable("XDG_CONFIG_HOME", nullptr);
  SetVariable("XDG_DATA_HOME", nullptr);
  EXPECT_EQ(os::GetSpecialFolder(os::SpecialFolder::kAppData), "");
  EXPECT_EQ(os::GetSpecialFolder(os::SpecialFolder::kDesktopDirectory), "");
  EXPECT_EQ(os::GetSpecialFolder(os::SpecialFolder::kPersonal), "");
  EXPECT_EQ(os::QuickLaunchFolder(), "");
}

TEST_F(ShellFoldersTest, WithoutHomeOnlyAnAbsoluteUserFolderCounts) {
  SetVariable("HOME", nullptr);
  WriteUserDirs("XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n");
  EXPECT_EQ(os::GetSpecialFolder(os::SpecialFolder::kDesktopDirectory), "");
  WriteUserDirs("XDG_DESKTOP_DIR=\"/srv/desk\"\n");
  EXPECT_EQ(os::GetSpecialFolder(os::SpecialFolder::kDesktopDirectory), "/srv/desk");
}

}  // namespace
}  // namespace lintavo
