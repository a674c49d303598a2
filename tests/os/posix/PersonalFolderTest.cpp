#include <gtest/gtest.h>

#include <filesystem>

#include "os/Registry.h"
#include "support/RegistryValues.h"
#include "support/TestEnvironment.h"

namespace lintavo {
namespace {

namespace fs = std::filesystem;
using os::RegistryKey;
using os::RegistryRoot;
using os::RegistryValueType;
using test::WriteFileBytes;

constexpr const char* kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// "My Documents" as the freedesktop settings give it.
class PersonalFolderTest : public ::testing::Test {
 protected:
  std::optional<std::string> Personal() const {
    const auto key = RegistryKey::OpenForReading(RegistryRoot::CurrentUser, kShellFolders);
    EXPECT_TRUE(key) << "the key opens even when the hive lacks it";
    if (!key) {
      return std::nullopt;
    }
    const auto value = key->Query("Personal");
    if (value) {
      EXPECT_EQ(value->type, RegistryValueType::String);
    }
    return test::TextOf(value);
  }

  test::IsolatedHome home_;
};

TEST_F(PersonalFolderTest, PersonalIsTheDocumentsFolder) {
  WriteFileBytes(home_.ConfigHome() + "/user-dirs.dirs",
                 "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\nXDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n");
  EXPECT_EQ(Personal(), home_.Home() + "/Dokumente");
}

TEST_F(PersonalFolderTest, PersonalFallsBackToAnExistingDocumentsFolder) {
  EXPECT_EQ(Personal(), std::nullopt);
  fs::create_directories(home_.Home() + "/Documents");
  EXPECT_EQ(Personal(), home_.Home() + "/Documents");
  WriteFileBytes(home_.ConfigHome() + "/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"/srv/docs\"\n");
  EXPECT_EQ(Personal(), "/srv/docs");
}

TEST_F(PersonalFolderTest, OnlyPersonalIsDerivedAndItIsReadOnly) {
  auto key = RegistryKey::Create(RegistryRoot::CurrentUser, kShellFolders);
  ASSERT_TRUE(key);
  EXPECT_TRUE(key->SetString("Desktop", "/somewhere"));
  EXPECT_FALSE(key->SetString("personal", "/stored"));
  EXPECT_FALSE(key->SetDWord("PERSONAL", 1));

  EXPECT_EQ(test::TextOf(key->Query("Desktop")), "/somewhere");
  EXPECT_EQ(Personal(), std::nullopt) << "a stored value never stands in for the derived one";
  EXPECT_FALSE(RegistryKey::OpenForReading(RegistryRoot::CurrentUser,
                                           "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer"
                                           "\\User Shell Folders"));
}

}  // namespace
}  // namespace lintavo
