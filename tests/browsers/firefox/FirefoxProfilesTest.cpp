#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "browsers/firefox/FirefoxProfiles.h"
#include "support/TestEnvironment.h"

namespace lintavo {
namespace {

using browsers::FirefoxProfileFolders;
using browsers::ProfileFoldersIn;
using testing::ElementsAre;
using testing::ElementsAreArray;

const std::string kRoot = "/home/u/.mozilla/firefox";

// Firefox 153 ESR made this profiles.ini for a new user: two profiles, listed in reverse order,
// and an installation section that names one of them.
TEST(FirefoxProfilesTest, ReadsTheProfilesFirefoxListed) {
  const std::string text =
      test::ReadFileBytes(test::FixturePath("browsers/firefox-esr/profiles.ini"));

  EXPECT_THAT(ProfileFoldersIn(text, kRoot),
              ElementsAre(kRoot + "/5m01ul75.default", kRoot + "/xq7vjn83.default-esr"));
  const auto profiles = browsers::ProfilesIn(text, kRoot);
  ASSERT_EQ(profiles.size(), 2u);
  EXPECT_EQ(profiles[0].name, "default");
  EXPECT_EQ(profiles[1].name, "default-esr");
}

// The name the person knows a profile by: its Name, else the last part of its folder's path.
TEST(FirefoxProfilesTest, AProfileWithoutANameGoesByItsFolder) {
  const auto profiles = browsers::ProfilesIn(
      "[Profile0]\nIsRelative=1\nPath=Profiles/ab12.default\n"
      "[Profile1]\nName=\nPath=/data/work/\n"
      "[Profile2]\nName=Work\nName=Second\nIsRelative=1\nPath=w\n",
      kRoot);
  ASSERT_EQ(profiles.size(), 3u);
  EXPECT_EQ(profiles[0].name, "ab12.default");
  EXPECT_EQ(profiles[1].name, "work");
  EXPECT_EQ(profiles[2].name, "Work") << "the first of two equal keys wins";
}

TEST(FirefoxProfilesTest, TakesEachProfileSectionWithAPathInTheFilesOrder) {
  const struct {
    const char* name;
    std::string text;
    std::vector<std::string> folders;
  } cases[] = {
      {"relative and absolute paths",
       "[Profile0]\nIsRelative=1\nPath=a.default\n[Profile1]\nIsRelative=0\nPath=/data/b\n",
       {kRoot + "/a.default", "/data/b"}},
      {"a path without IsRelative is absolute", "[Profile0]\nPath=/data/b\n", {"/data/b"}},
      {"a relative path not marked relative is none", "[Profile0]\nIsRelative=0\nPath=b\n", {}},
      {"a section without a path is none", "[Profile0]\nIsRelative=1\nName=x\n", {}},
      {"an empty path is none", "[Profile0]\nIsRelative=1\nPath=\n", {}},
      {"other sections are no profiles",
       "[General]\nPath=/general\n[Install4F96D1932A9F858E]\nDefault=/install\n"
       "[BackgroundTasksProfiles]\nPath=/background\n",
       {}},
      {"names compare exactly, as Firefox compares them",
       "[profile0]\nPath=/lower-section\n[Profile1]\npath=/lower-key\n",
       {}},
      {"the first of two equal keys wins",
       "[Profile0]\nPath=/first\nPath=/second\nIsRelative=0\nIsRelative=1\n",
       {"/first"}},
      {"CR LF line ends and blanks around names and values",
       "[Profile0]\r\n  IsRelative = 1 \r\n\tPath\t=\tx y.default \r\n",
       {kRoot + "/x y.default"}},
      {"a section line without its bracket ends the profile before it",
       "[Profile0]\nIsRelative=1\n[Profile1\nPath=p\n",
       {}},
      {"a path that leads out of the folder is taken as written",
       "[Profile0]\nIsRelative=1\nPath=../elsewhere\n",
       {kRoot + "/../elsewhere"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_THAT(ProfileFoldersIn(c.text, kRoot), ElementsAreArray(c.folders));
  }
}

TEST(FirefoxProfilesTest, AProfileListThatCannotBeReadListsNone) {
  test::TempFolder root;
  EXPECT_THAT(FirefoxProfileFolders(root.Path().string()), ElementsAre());
  std::filesystem::create_directory(root / "profiles.ini");
  EXPECT_THAT(FirefoxProfileFolders(root.Path().string()), ElementsAre());
}

}  // namespace
}  // namespace lintavo
