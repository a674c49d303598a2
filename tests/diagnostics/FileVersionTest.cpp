#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "PeFiles.h"
#include "diagnostics/ElfVersion.h"
#include "diagnostics/FileVersion.h"
#include "diagnostics/PeVersion.h"
#include "support/TestEnvironment.h"

namespace lintavo {
namespace {

using test::PeFileWithVersion;
using test::WithNumberAt;
using Numbers = std::array<std::uint16_t, 4>;

// This test program carries a version section of its own, as the help engine library does: the
// reader must find it in a real ELF file made by the real toolchain.
LINTAVO_VERSION_SECTION constexpr Numbers kThisProgramsVersion = {7, 21, 300, 4};

std::optional<Numbers> PeVersionOf(const std::string& bytes) {
  std::istringstream file(bytes);
  return ReadPeFileVersion(file);
}

TEST(FileVersionTest, ReadsTheVersionResourceOfPeFilesOfBothWidths) {
  EXPECT_EQ(PeVersionOf(PeFileWithVersion({4, 74, 9273, 0})), (Numbers{4, 74, 9273, 0}));
  EXPECT_EQ(PeVersionOf(PeFileWithVersion({65535, 1, 2, 65534}, true)),
            (Numbers{65535, 1, 2, 65534}));
}

TEST(FileVersionTest, FindsNothingInDamagedPeFiles) {
  const std::string good = PeFileWithVersion({5, 2, 3790, 2847});
  struct Case {
    const char* name;
    std::string bytes;
  };
  const Case cases[] = {
      {"empty", ""},
      {"no PE file", "MZ but nothing more than this"},
      {"cut in the headers", good.substr(0, 0x90)},
      {"cut in the section table", good.substr(0, 0x150)},
      {"cut in the resource directory", good.substr(0, test::kPeResourcesAt + 20)},
      {"cut in the version block", good.substr(0, good.size() - 10)},
      {"PE header beyond the end", WithNumberAt(good, 0x3C, 0x7FFFFFF0)},
      {"resources claiming 4 GB", WithNumberAt(good, 0x40 + 24 + 96 + 16 + 4, 0xFFFFFFFF)},
      // The name level points back to the type level: the walk would go round forever.
      {"directory looping to its root",
       WithNumberAt(good, test::kPeFirstNameEntryAt + 4, 0x80000000)},
      {"directory looping to itself",
       WithNumberAt(good, test::kPeFirstNameEntryAt + 4, 0x80000000 | 24)},
      {"entry pointing out of the directory",
       WithNumberAt(good, test::kPeFirstNameEntryAt + 4, 0x80000000 | 0x7FFF0000)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PeVersionOf(c.bytes), std::nullopt) << c.name;
  }
}

TEST(FileVersionTest, GivesTheTextOfTheVersionOfAFileOrNothing) {
  test::TempFolder folder;
  test::WriteFileBytes(folder / "engine.dll", PeFileWithVersion({4, 74, 9273, 0}));
  test::WriteFileBytes(folder / "plain.txt", "no version here");

  const FileVersion engine = GetFileVersionText(folder / "engine.dll");
  EXPECT_EQ(engine.text, "4.74.9273.0");
  EXPECT_EQ(engine.numbers, (Numbers{4, 74, 9273, 0}));
  for (const std::string& path : {folder / "plain.txt", folder / "missing.dll", std::string()}) {
    const FileVersion none = GetFileVersionText(path);
    EXPECT_EQ(none.text, "") << path;
    EXPECT_EQ(none.numbers, (Numbers{})) << path;
  }
}

TEST(FileVersionTest, ReadsTheVersionSectionOfOurOwnElfLibraries) {
  EXPECT_EQ(GetFileVersionText("/proc/self/exe").text, "7.21.300.4");
  EXPECT_EQ(kThisProgramsVersion[0], 7);  // keeps the section in the program
}

TEST(FileVersionTest, ComparesNumberByNumberFromTheFirst) {
  const FileVersion v = MakeFileVersion(4, 74, 9273, 0);
  EXPECT_EQ(CompareVersions(v, MakeFileVersion(4, 74, 9273, 0)), 0);
  EXPECT_EQ(CompareVersions(v, MakeFileVersion(4, 74, 9272, 65535)), 1);
  EXPECT_EQ(CompareVersions(v, MakeFileVersion(5, 0, 0, 0)), -1);
  EXPECT_EQ(CompareVersions(MakeFileVersion(4, 100, 0, 0), v), 1);  // 100 > 74, not "1" < "7"
}

}  // namespace
}  // namespace lintavo
