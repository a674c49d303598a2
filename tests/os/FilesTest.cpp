#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "os/Files.h"
#include "support/TestEnvironment.h"

namespace lintavo {
namespace {

namespace fs = std::filesystem;
using test::FolderContent;
using test::ReadFileBytes;
using test::TempFolder;
using test::WriteFileBytes;

const std::string kBinary("bytes\0with\r\nNUL\xff", 16);

TEST(WriteFileAtomicallyTest, ReportsAMissingFolder) {
  TempFolder folder;
  EXPECT_EQ(os::WriteFileAtomically(folder / "missing/file.txt", "x"),
            os::ErrorCodeOf(os::ErrorCondition::kNotFound));
  EXPECT_TRUE(FolderContent(folder.Path().string()).empty());
}

TEST(AtomicFileWriterTest, BuildsTheFileFromWritesAtOffsets) {
  TempFolder folder;
  const std::string path = folder / "picture.bmp";
  WriteFileBytes(path, "old");
  os::AtomicFileWriter writer;
  ASSERT_EQ(writer.Open(path), 0);
  ASSERT_EQ(writer.WriteAt(6, "world", 5), 0);
  ASSERT_EQ(writer.WriteAt(0, "hello", 5), 0);
  EXPECT_EQ(ReadFileBytes(path), "old") << "the old file must stay until Commit";

  ASSERT_EQ(writer.Commit(), 0);

  EXPECT_EQ(ReadFileBytes(path), std::string("hello\0world", 11));
  EXPECT_EQ(FolderContent(folder.Path().string()), std::vector<std::string>{"picture.bmp"});
}

TEST(AtomicFileWriterTest, AWriterDroppedWithoutCommitLeavesNoTrace) {
  TempFolder folder;
  const std::string path = folder / "picture.bmp";
  WriteFileBytes(path, "old");
  {
    os::AtomicFileWriter writer;
    ASSERT_EQ(writer.Open(path), 0);
    ASSERT_EQ(writer.WriteAt(0, "new content", 11), 0);
  }
  EXPECT_EQ(ReadFileBytes(path), "old");
  EXPECT_EQ(FolderContent(folder.Path().string()), std::vector<std::string>{"picture.bmp"});
}

TEST(AtomicFileWriterTest, RefusesWritesWithoutAnOpenFile) {
  os::AtomicFileWriter writer;
  EXPECT_NE(writer.WriteAt(0, "x", 1), 0);
  EXPECT_NE(writer.Commit(), 0);
}

TEST(AtomicFileWriterTest, ReportsAFolderInTheWayAndCleansUp) {
  TempFolder folder;
  const std::string path = folder / "taken";
  fs::create_directory(path);
  fs::create_directory(folder / "taken/inside");
  os::AtomicFileWriter writer;
  ASSERT_EQ(writer.Open(path), 0);
  ASSERT_EQ(writer.WriteAt(0, "x", 1), 0);

  EXPECT_NE(writer.Commit(), 0);

  EXPECT_TRUE(fs::is_directory(path));
  EXPECT_EQ(FolderContent(folder.Path().string()), std::vector<std::string>{"taken"});
}

TEST(CopyFileToTest, CopiesBytesOverTheDestination) {
  TempFolder folder;
  WriteFileBytes(folder / "from", kBinary);
  WriteFileBytes(folder / "to", "something else entirely");

  EXPECT_TRUE(os::CopyFileTo(folder / "from", folder / "to"));

  EXPECT_EQ(ReadFileBytes(folder / "to"), kBinary);
  EXPECT_EQ(ReadFileBytes(folder / "from"), kBinary);
}

TEST(CopyFileToTest, AMissingSourceLeavesTheDestinationUntouched) {
  TempFolder folder;
  WriteFileBytes(folder / "to", "keep me");

  EXPECT_FALSE(os::CopyFileTo(folder / "missing", folder / "to"));
  EXPECT_FALSE(os::CopyFileTo(folder / "missing", folder / "absent"));

  EXPECT_EQ(ReadFileBytes(folder / "to"), "keep me");
  EXPECT_FALSE(fs::exists(folder / "absent"));
}

TEST(ForceDirectoriesTest, CreatesEveryMissingFolder) {
  TempFolder folder;
  for (const std::string relative : {"a/b/c", "a/b/c", "a/b/d/", "x//y"}) {
    SCOPED_TRACE(relative);
    EXPECT_TRUE(os::ForceDirectories(folder / relative));
    EXPECT_TRUE(os::DirectoryExists(folder / relative));
  }
}

TEST(ForceDirectoriesTest, FailsOnAFileInTheWayOrAnEmptyPath) {
  TempFolder folder;
  WriteFileBytes(folder / "file", "x");
  EXPECT_FALSE(os::ForceDirectories(folder / "file"));
  EXPECT_FALSE(os::ForceDirectories(folder / "file/below"));
  EXPECT_FALSE(os::ForceDirectories(""));
  EXPECT_EQ(ReadFileBytes(folder / "file"), "x");
}

TEST(ReadWholeFileTest, ReadsEveryByteOrReportsWhyNot) {
  TempFolder folder;
  WriteFileBytes(folder / "data", kBinary);
  std::string bytes = "stale";

  EXPECT_EQ(os::ReadWholeFile(folder / "data", bytes), 0);
  EXPECT_EQ(bytes, kBinary);
  EXPECT_EQ(os::ReadWholeFile(folder / "missing", bytes),
            os::ErrorCodeOf(os::ErrorCondition::kNotFound));
  EXPECT_EQ(bytes, "");
  EXPECT_EQ(os::ReadWholeFile(folder.Path().string(), bytes),
            os::ErrorCodeOf(os::ErrorCondition::kIsAFolder));
}

// Files another program writes are read with a cap, so an enormous one costs no more than the cap.
TEST(ReadFileUpToTest, ReadsAFileUpToTheCapAndRefusesALargerOne) {
  TempFolder folder;
  WriteFileBytes(folder / "data", kBinary);
  const struct {
    std::size_t cap;
    bool read;
  } cases[] = {
      {kBinary.size(), true},
      {kBinary.size() + 1, true},
      {kBinary.size() - 1, false},
      {0, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.cap);
    std::string bytes = "stale";
    EXPECT_EQ(os::ReadFileUpTo(folder / "data", c.cap, bytes),
              c.read ? 0 : os::ErrorCodeOf(os::ErrorCondition::kFileTooLarge));
    EXPECT_EQ(bytes, c.read ? kBinary : "");
  }
}

// Settings are rewritten from what was read; only a missing file may be created afresh.
TEST(ReadFileToRewriteTest, TellsAMissingFileFromOneThatCannotBeRead) {
  TempFolder folder;
  WriteFileBytes(folder / "data", kBinary);
  fs::create_directory(folder / "folder");
  const struct {
    const char* name;
    os::ExistingFile found;
  } cases[] = {
      {"data", os::ExistingFile::Read},
      {"absent", os::ExistingFile::Missing},
      {"absent/below", os::ExistingFile::Missing},
      {"folder", os::ExistingFile::Unreadable},
      {"data/below", os::ExistingFile::Unreadable},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::string bytes = "stale";
    EXPECT_EQ(os::ReadFileToRewrite(folder / c.name, bytes), c.found);
    EXPECT_EQ(bytes, c.found == os::ExistingFile::Read ? kBinary : "");
  }
}

// Pictures shipped for the pages may come with their names in any case; the file is named as it
// is stored.
TEST(FindFileIgnoringCaseTest, FindsTheNameInAnyCaseAsItIsStored) {
  TempFolder folder;
  const std::string path = folder.Path().string();
  WriteFileBytes(folder / "Background2.jpg", "");
  fs::create_directory(folder / "background5.jpg");

  EXPECT_EQ(os::FindFileIgnoringCase(path, "background2.JPG"),
            (folder.Path() / "Background2.jpg").string());
  EXPECT_EQ(os::FindFileIgnoringCase(path, "Background2.jpg"),
            (folder.Path() / "Background2.jpg").string());
  EXPECT_EQ(os::FindFileIgnoringCase(path, "background5.JPG"), "") << "a folder is no file";
  EXPECT_EQ(os::FindFileIgnoringCase(path, "background6.JPG"), "");
  EXPECT_EQ(os::FindFileIgnoringCase(folder / "missing", "background2.JPG"), "");
}

TEST(FileKindTest, TellsFilesFromFolders) {
  TempFolder folder;
  WriteFileBytes(folder / "file", "");
  EXPECT_TRUE(os::FileExists(folder / "file"));
  EXPECT_FALSE(os::DirectoryExists(folder / "file"));
  EXPECT_TRUE(os::DirectoryExists(folder.Path().string()));
  EXPECT_FALSE(os::FileExists(folder.Path().string()));
  EXPECT_FALSE(os::FileExists(folder / "missing"));
  EXPECT_FALSE(os::DirectoryExists(folder / "missing"));
}

TEST(RemoveFileTest, RemovesAFileOnce) {
  TempFolder folder;
  WriteFileBytes(folder / "file", "");
  EXPECT_TRUE(os::RemoveFile(folder / "file"));
  EXPECT_FALSE(os::RemoveFile(folder / "file"));
  EXPECT_FALSE(fs::exists(folder / "file"));
}

}  // namespace
}  // namespace lintavo
