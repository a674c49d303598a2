#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <vector>

#include "os/Files.h"
#include "support/TestEnvironment.h"

// The file services where POSIX has more to say: permission bits, symbolic links and pipes.

namespace lintavo {
namespace {

namespace fs = std::filesystem;
using test::FolderContent;
using test::ReadFileBytes;
using test::TempFolder;
using test::WriteFileBytes;

const std::string kBinary("bytes\0with\r\nNUL\xff", 16);

unsigned ModeOf(const std::string& path) {
  struct stat info {};
  EXPECT_EQ(stat(path.c_str(), &info), 0) << path;
  return info.st_mode & 07777;
}

TEST(WriteFileAtomicallyTest, ReplacesTheContentAndKeepsTheMode) {
  TempFolder folder;
  const std::string path = folder / "settings.ini";
  WriteFileBytes(path, "an older and longer content");
  ASSERT_EQ(chmod(path.c_str(), 0640), 0);

  EXPECT_EQ(os::WriteFileAtomically(path, kBinary), 0);

  EXPECT_EQ(ReadFileBytes(path), kBinary);
  EXPECT_EQ(ModeOf(path), 0640u);
  EXPECT_EQ(FolderContent(folder.Path().string()), std::vector<std::string>{"settings.ini"});
}

TEST(WriteFileAtomicallyTest, GivesANewFileTheOrdinaryMode) {
  TempFolder folder;
  const std::string path = folder / "new.txt";
  const mode_t mask = umask(022);

  EXPECT_EQ(os::WriteFileAtomically(path, ""), 0);

  umask(mask);
  EXPECT_EQ(ReadFileBytes(path), "");
  EXPECT_EQ(ModeOf(path), 0644u);
}

// A file kept in a dotfile folder and linked into place: the link stays, the file it leads to is
// replaced beside itself with its permissions, and nothing is left behind in either folder.
TEST(WriteFileAtomicallyTest, ReplacesTheFileALinkLeadsToAndKeepsTheLink) {
  TempFolder folder;
  fs::create_directories(folder / "dotfiles/sub");
  fs::create_directories(folder / "config");
  const std::string target = folder / "dotfiles/sub/settings.ini";
  WriteFileBytes(target, "old");
  ASSERT_EQ(chmod(target.c_str(), 0600), 0);
  fs::create_symlink("../dotfiles/sub/settings.ini", folder / "config/middle.ini");
  fs::create_symlink("middle.ini", folder / "config/settings.ini");  // a chain of two links

  EXPECT_EQ(os::WriteFileAtomically(folder / "config/settings.ini", kBinary), 0);

  EXPECT_EQ(ReadFileBytes(target), kBinary);
  EXPECT_EQ(ModeOf(target), 0600u);
  EXPECT_EQ(fs::read_symlink(folder / "config/settings.ini"), "middle.ini");
  EXPECT_EQ(fs::read_symlink(folder / "config/middle.ini"), "../dotfiles/sub/settings.ini");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder / "dotfiles/sub"), {}), 1);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder / "config"), {}), 2);
}

TEST(WriteFileAtomicallyTest, ALinkToNothingGetsItsFileAndALinkLoopFails) {
  TempFolder folder;
  fs::create_symlink(folder / "made.txt", folder / "dangling");
  EXPECT_EQ(os::WriteFileAtomically(folder / "dangling", "new"), 0);
  EXPECT_TRUE(fs::is_symlink(folder / "dangling"));
  EXPECT_EQ(ReadFileBytes(folder / "made.txt"), "new");

  fs::create_symlink("loop-b", folder / "loop-a");
  fs::create_symlink("loop-a", folder / "loop-b");
  EXPECT_NE(os::WriteFileAtomically(folder / "loop-a", "x"), 0);
  EXPECT_TRUE(fs::is_symlink(folder / "loop-a"));
  EXPECT_TRUE(fs::is_symlink(folder / "loop-b"));
}

// A pipe without a writer in a file's place is refused at once instead of waited on, and a link
// to nothing or to itself is told from a file that is there.
TEST(ReadFileTest, APipeIsRefusedAndLinksAreFollowed) {
  TempFolder folder;
  ASSERT_EQ(mkfifo((folder / "pipe").c_str(), 0600), 0);
  std::string bytes;
  EXPECT_EQ(os::ReadWholeFile(folder / "pipe", bytes),
            os::ErrorCodeOf(os::ErrorCondition::kInvalidData));
  EXPECT_EQ(os::ReadFileUpTo(folder / "pipe", 100, bytes),
            os::ErrorCodeOf(os::ErrorCondition::kInvalidData));

  fs::create_symlink(folder / "absent", folder / "dangling");
  fs::create_symlink("self", folder / "self");
  const struct {
    const char* name;
    os::ExistingFile found;
  } cases[] = {
      {"dangling", os::ExistingFile::Missing},
      {"pipe", os::ExistingFile::Unreadable},
      {"self", os::ExistingFile::Unreadable},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(os::ReadFileToRewrite(folder / c.name, bytes), c.found);
    EXPECT_EQ(bytes, "");
  }
}

// On a file system that tells cases apart, several spellings of one name can stand side by side.
TEST(FindFileIgnoringCaseTest, OfSeveralSpellingsTheExactOneWinsThenTheFirst) {
  TempFolder folder;
  const std::string prefix = folder.Path().string() + "/";
  WriteFileBytes(folder / "background2.jpg", "");
  WriteFileBytes(folder / "Background3.JPG", "");
  WriteFileBytes(folder / "background3.JPG", "");
  WriteFileBytes(folder / "BACKGROUND4.jpg", "");
  WriteFileBytes(folder / "background4.Jpg", "");
  fs::create_directory(folder / "background5.jpg");

  EXPECT_EQ(os::FindFileIgnoringCase(prefix, "background2.JPG"), prefix + "background2.jpg");
  EXPECT_EQ(os::FindFileIgnoringCase(folder.Path().string(), "background3.JPG"),
            prefix + "background3.JPG");
  EXPECT_EQ(os::FindFileIgnoringCase(prefix, "background4.JPG"), prefix + "BACKGROUND4.jpg")
      << "the first spelling in byte order";
  EXPECT_EQ(os::FindFileIgnoringCase(prefix, "background5.JPG"), "") << "a folder is no file";
  EXPECT_EQ(os::FindFileIgnoringCase(prefix, "background6.JPG"), "");
  EXPECT_EQ(os::FindFileIgnoringCase(folder / "missing", "background2.JPG"), "");
}

}  // namespace
}  // namespace lintavo
