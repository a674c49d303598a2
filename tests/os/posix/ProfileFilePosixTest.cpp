#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <iterator>
#include <string>

#include "base/Failure.h"
#include "os/ProfileFile.h"
#include "support/OtherUser.h"
#include "support/ScopedFileSizeLimit.h"
#include "support/TestEnvironment.h"

// The settings file where POSIX has more to say: pipes and unreadable files in its place, another
// user's file, symbolic links and a full disk.

namespace lintavo {
namespace {

using test::ReadFileBytes;
using test::TempFolder;
using test::WriteFileBytes;

// What a read gives when the key is not found.
const std::string kMissing = "<missing>";

class ProfileFilePosixTest : public testing::Test {
 protected:
  ProfileFile LoadBytes(const std::string& bytes) {
    WriteFileBytes(path_, bytes);
    return ProfileFile::Load(path_);
  }

  TempFolder folder_;
  const std::string path_ = folder_ / "config.ini";
};

// A file that is there but cannot be read holds settings nobody can see now; saving defaults over
// it would lose them for good. It reads as empty and every save of it fails.
TEST_F(ProfileFilePosixTest, AFileThatCannotBeReadIsNeverReplaced) {
  ASSERT_EQ(mkfifo(path_.c_str(), 0600), 0);  // tests run as root, who can read any plain file
  ProfileFile profile = ProfileFile::Load(path_);
  EXPECT_EQ(profile.ReadString("Settings", "LastPage", kMissing), kMissing);
  EXPECT_THAT([&] { profile.Save(); },
              testing::ThrowsMessage<Failure>("Unable to write to " + path_))
      << "even with no change";
  profile.WriteInteger("Settings", "LastPage", 0);
  EXPECT_THAT([&] { profile.Save(); },
              testing::ThrowsMessage<Failure>("Unable to write to " + path_));
  EXPECT_TRUE(std::filesystem::is_fifo(path_));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_.Path()), {}), 1);
}

TEST_F(ProfileFilePosixTest, AnotherUsersFileThatCannotBeReadIsNeverReplaced) {
  if (!test::CanActAsOtherUser()) {
    GTEST_SKIP() << "needs root to act as a second user";
  }
  const std::string settings = "[HOMEPAGE-1]\r\nName=Mine\r\n";
  WriteFileBytes(path_, settings);
  ASSERT_EQ(chmod(path_.c_str(), 0), 0);
  test::OpenToEveryone(folder_.Path().string());  // the other user could replace the file

  const auto outcome = test::RunAsOtherUser([this] {
    ProfileFile profile = ProfileFile::Load(path_);
    if (profile.ReadString("HOMEPAGE-1", "Name", "default") != "default") {
      return 2;
    }
    profile.WriteInteger("Settings", "LastPage", 0);
    try {
      profile.Save();
    } catch (const Failure& failure) {
      return std::string(failure.what()) == "Unable to write to " + path_ ? 0 : 1;
    }
    return 3;
  });

  EXPECT_EQ(outcome, 0);
  EXPECT_EQ(ReadFileBytes(path_), settings);
}

// A settings file kept in a dotfile folder and linked into place stays linked, and the file it
// leads to gets the new content with its permissions.
TEST_F(ProfileFilePosixTest, ALinkedFileStaysLinkedAndTheFileItLeadsToIsReplaced) {
  std::filesystem::create_directory(folder_ / "dotfiles");
  const std::string target = folder_ / "dotfiles/config.ini";
  WriteFileBytes(target, "[Settings]\r\nLastPage=1\r\n");
  ASSERT_EQ(chmod(target.c_str(), 0600), 0);
  std::filesystem::create_symlink("dotfiles/config.ini", path_);

  ProfileFile profile = ProfileFile::Load(path_);
  EXPECT_EQ(profile.ReadInteger("Settings", "LastPage", -1), 1);
  profile.WriteInteger("Settings", "LastPage", 2);
  profile.Save();

  EXPECT_EQ(std::filesystem::read_symlink(path_), "dotfiles/config.ini");
  EXPECT_EQ(ReadFileBytes(target), "[Settings]\r\nLastPage=2\r\n");
  struct stat info {};
  ASSERT_EQ(stat(target.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0600u);
}

TEST_F(ProfileFilePosixTest, AFailedSaveKeepsTheOldFileWhole) {
  const std::string old = "[S]\r\nk=old\r\n";
  ProfileFile profile = LoadBytes(old);
  profile.WriteString("S", "k", std::string(4096, 'n'));
  {
    const test::ScopedFileSizeLimit diskFull(64);
    EXPECT_THAT([&] { profile.Save(); },
                testing::ThrowsMessage<Failure>("Unable to write to " + path_));
  }
  EXPECT_EQ(ReadFileBytes(path_), old);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_.Path()), {}), 1);
}

}  // namespace
}  // namespace lintavo
