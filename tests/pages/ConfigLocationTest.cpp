#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "base/Failure.h"
#include "os/ProfileFile.h"
#include "pages/ConfigLocation.h"
#include "support/TestEnvironment.h"

namespace lintavo::test {
namespace {

using ::testing::ThrowsMessage;

namespace fs = std::filesystem;

class ConfigLocationTest : public ::testing::Test {
 protected:
  std::string ProgramFolder() const { return program_.Path().string() + "/"; }
  std::string OlderFile() const { return ProgramFolder() + "config.ini"; }
  std::string PerUserFile() const { return home_.ConfigHome() + "/Quellmark/LTVO/config.ini"; }

  IsolatedHome home_;
  TempFolder program_;
};

TEST_F(ConfigLocationTest,
       WithNoFileAnywhereThePerUserFolderIsMadeAndTheFileIsLeftToTheFirstWrite) {
  EXPECT_EQ(LocateConfigFile(ProgramFolder()), PerUserFile());
  EXPECT_TRUE(fs::is_directory(fs::path(PerUserFile()).parent_path()));
  EXPECT_FALSE(fs::exists(PerUserFile()));
}

TEST_F(ConfigLocationTest, AnOlderFileBesideTheProgramIsMovedToThePerUserFolder) {
  WriteFileBytes(OlderFile(), "[HOMEPAGE-1]\r\nName=Old\r\n");
  EXPECT_EQ(LocateConfigFile(ProgramFolder()), PerUserFile());
  EXPECT_EQ(ReadFileBytes(PerUserFile()), "[HOMEPAGE-1]\r\nName=Old\r\n");
  EXPECT_FALSE(fs::exists(OlderFile()));
}

TEST_F(ConfigLocationTest, ThePerUserFileWinsAndTheOlderOneIsDeleted) {
  WriteFileBytes(PerUserFile(), "per-user");
  WriteFileBytes(OlderFile(), "older");
  EXPECT_EQ(LocateConfigFile(ProgramFolder()), PerUserFile());
  EXPECT_EQ(ReadFileBytes(PerUserFile()), "per-user");
  EXPECT_FALSE(fs::exists(OlderFile()));
}

TEST_F(ConfigLocationTest, AnOlderFileThatCannotBeCopiedIsKeptAndUsed) {
  WriteFileBytes(OlderFile(), "older");
  fs::create_directories(PerUserFile());  // a folder stands where the copy would go
  EXPECT_EQ(LocateConfigFile(ProgramFolder()), OlderFile());
  EXPECT_EQ(ReadFileBytes(OlderFile()), "older");
}

// For an installed program the folder beside it is not the user's to write: the settings stay
// where they belong, and the first save says what could not be written.
TEST_F(ConfigLocationTest, APerUserFolderThatCannotBeMadeStaysTheSettingsPlace) {
  WriteFileBytes(home_.ConfigHome() + "/Quellmark", "a file where the folder belongs");
  EXPECT_EQ(LocateConfigFile(ProgramFolder()), PerUserFile());
  EXPECT_FALSE(fs::exists(OlderFile()));

  ProfileFile settings = ProfileFile::Load(PerUserFile());
  settings.WriteInteger("Settings", "LastPage", 0);
  EXPECT_THAT([&] { settings.Save(); },
              ThrowsMessage<Failure>("Unable to write to " + PerUserFile()));
}

TEST_F(ConfigLocationTest, WithoutAnyApplicationDataFolderTheFileStaysBesideTheProgram) {
  unsetenv("XDG_CONFIG_HOME");
  unsetenv("HOME");
  EXPECT_EQ(LocateConfigFile(ProgramFolder()), OlderFile());
}

}  // namespace
}  // namespace lintavo::test
