#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <filesystem>
#include <iterator>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/Failure.h"
#include "os/ProfileFile.h"
#include "support/TestEnvironment.h"

namespace lintavo {
namespace {

using namespace std::string_literals;
using test::ReadFileBytes;
using test::TempFolder;
using test::WriteFileBytes;

// What a read gives when the key is not found.
const std::string kMissing = "<missing>";

struct Write {
  std::string section;
  std::string key;
  std::string value;
};

class ProfileFileTest : public testing::Test {
 protected:
  ProfileFile LoadBytes(const std::string& bytes) {
    WriteFileBytes(path_, bytes);
    return ProfileFile::Load(path_);
  }

  // The bytes of the file after `writes` were made in one operation on a file holding `before`.
  std::string BytesAfter(const std::string& before, const std::vector<Write>& writes) {
    ProfileFile profile = LoadBytes(before);
    for (const Write& write : writes) {
      profile.WriteString(write.section, write.key, write.value);
    }
    profile.Save();
    return ReadFileBytes(path_);
  }

  static ProfileFile SaveAndReload(const ProfileFile& profile) {
    profile.Save();
    return ProfileFile::Load(profile.Path());
  }

  TempFolder folder_;
  const std::string path_ = folder_ / "config.ini";
};

// ---- Reading ----

TEST_F(ProfileFileTest, ReadsByTheRulesOfTheFormat) {
  struct Case {
    const char* rule;
    std::string file;
    std::string section;
    std::string key;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"LF line ends", "[S]\nA=1\nB=2\n", "S", "B", "2"},
      {"CR line ends", "[S]\rA=1\rB=2", "S", "B", "2"},
      {"CR LF line ends", "[S]\r\nA=1\r\nB=2\r\n", "S", "B", "2"},
      {"mixed line ends", "[S]\r\nA=1\rB=2\nC=3", "S", "C", "3"},
      {"byte order mark skipped", "\xEF\xBB\xBF[S]\r\nA=1", "S", "A", "1"},
      {"byte order mark before top keys",
       "\xEF\xBB\xBF"
       "A=1\r\n[S]",
       "", "A", "1"},
      {"keys before the first section", "top=1\r\n[S]\r\nA=2", "", "top", "1"},
      {"top keys are not in the next section", "top=1\r\n[S]\r\nA=2", "S", "top", kMissing},
      {"section and key ignore case", "[Section]\nKey=v", "sECTION", "kEY", "v"},
      {"blanks around a section name", " \t[ \tS p\t ]\nk=v", "S p", "k", "v"},
      {"blanks around the caller's names", "[S]\nk=v", " S\t", "\tk ", "v"},
      {"text after the closing bracket", "[C]x\nk=v", "C", "k", "v"},
      {"the first bracket closes", "[a]b]\nk=v", "a", "k", "v"},
      {"'=' in a section line", "[a=b]\nk=v", "a=b", "k", "v"},
      {"[B without bracket: not B", "[B\nk=v", "B", "k", kMissing},
      {"[B without bracket: not [B", "[B\nk=v", "[B", "k", kMissing},
      {"[B ends the section before", "[A]\n[B\nk=v", "A", "k", kMissing},
      {"repeated section: first counts", "[S]\na=1\n[s]\na=2\nb=3", "S", "a", "1"},
      {"repeated section: its keys are lost", "[S]\na=1\n[s]\na=2\nb=3", "S", "b", kMissing},
      {"[] repeats the top section", "top=1\n[]\nk=v", "", "k", kMissing},
      {"tabs are blanks", "[S]\n\tk1\t=\ttabbed\t", "S", "k1", "tabbed"},
      {"';' is ordinary text", "[S]\nk2 = v ; comment", "S", "k2", "v ; comment"},
      {"';' starts no comment line", "[S]\n;k=v", "S", ";k", "v"},
      {"blanks inside a key", "[S]\nmy key = v", "S", "my key", "v"},
      {"the key with the empty name", "[S]\n=x", "S", "", "x"},
      {"'=' inside a value", "[S]\nk=a=b", "S", "k", "a=b"},
      {"line without '=' is no key", "[S]\nlonely", "S", "lonely", kMissing},
      {"first of equal keys wins", "[S]\nk=1\nK=2", "S", "k", "1"},
      {"present empty key", "[S]\nk=", "S", "k", ""},
      {"present key of blanks", "[S]\nk= \t ", "S", "k", ""},
      {"double quotes dropped", "[S]\nk=\"  padded  \"", "S", "k", "  padded  "},
      {"single quotes dropped", "[S]\nk='single'", "S", "k", "single"},
      {"only the outer pair dropped", "[S]\nk=\"a\"b\"", "S", "k", "a\"b"},
      {"empty quotes", "[S]\nk=\"\"", "S", "k", ""},
      {"blanks trimmed before quotes", "[S]\nk=  \" x \"  ", "S", "k", " x "},
      {"unbalanced quote kept", "[S]\nk=\" unbalanced", "S", "k", "\" unbalanced"},
      {"lone quote kept", "[S]\nk=\"", "S", "k", "\""},
      {"mixed quotes kept", "[S]\nk=\"mixed'", "S", "k", "\"mixed'"},
      {"a NUL byte ends the value", "[S]\nk=ab\0cd"s, "S", "k", "ab"},
      {"a NUL byte before the quote pair", "[S]\nk=\"ab\0\""s, "S", "k", "\"ab"},
      {"a NUL byte before '=' leaves no key", "[S]\nk\0=v"s, "S", "k", kMissing},
      {"missing section", "[S]\nk=v", "T", "k", kMissing},
      {"empty file", "", "", "", kMissing},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.rule);
    EXPECT_EQ(LoadBytes(c.file).ReadString(c.section, c.key, kMissing), c.expected);
  }
}

TEST_F(ProfileFileTest, ReadsAtMost2047CharactersOfAValue) {
  const std::string x(3000, 'x');
  const std::string y(2100, 'y');
  const ProfileFile profile = LoadBytes("[S]\nlong=" + x + "\nquoted=\"" + y + "\"\nafter=1");
  EXPECT_EQ(profile.ReadString("S", "long", ""), x.substr(0, 2047));
  EXPECT_EQ(profile.ReadString("S", "quoted", ""), y.substr(0, 2047));
  EXPECT_EQ(profile.ReadString("S", "after", ""), "1");
}

TEST_F(ProfileFileTest, ReadsIntegersInDecimalOrHexadecimalWithin32Bits) {
  struct Case {
    std::string text;
    int expected;
  };
  constexpr int kDefault = 77;
  const std::vector<Case> cases = {
      {"0", 0},
      {"42", 42},
      {"+42", 42},
      {"-42", -42},
      {"007", 7},
      {"2147483647", INT_MAX},
      {"-2147483648", INT_MIN},
      {"2147483648", kDefault},
      {"-2147483649", kDefault},
      {"99999999999999999999", kDefault},
      {"$FF", 255},
      {"$ff", 255},
      {"0x1F", 31},
      {"0X1f", 31},
      {"-$10", -16},
      {"+0x10", 16},
      {"$7FFFFFFF", INT_MAX},
      {"0x80000000", INT_MIN},
      {"$FFFFFFFF", -1},
      {"-$FFFFFFFF", 1},
      {"$000000001", 1},
      {"$100000000", kDefault},
      {"0x100000000", kDefault},
      {"  12  ", 12},
      {"\"12\"", 12},
      {"", kDefault},
      {"+", kDefault},
      {"-", kDefault},
      {"$", kDefault},
      {"0x", kDefault},
      {"12abc", kDefault},
      {"abc", kDefault},
      {"1 2", kDefault},
      {"- 1", kDefault},
      {"+-1", kDefault},
      {"$-1", kDefault},
      {"0x$1", kDefault},
      {"$FG", kDefault},
      {"1.5", kDefault},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("value: " + c.text);
    EXPECT_EQ(LoadBytes("[S]\nn=" + c.text).ReadInteger("S", "n", kDefault), c.expected);
  }
  const ProfileFile profile = LoadBytes("[S]\nn=5");
  EXPECT_EQ(profile.ReadInteger("S", "other", kDefault), kDefault);
  EXPECT_EQ(profile.ReadInteger("T", "n", kDefault), kDefault);
}

TEST_F(ProfileFileTest, AMissingFileOrAFolderReadsAsEmpty) {
  EXPECT_EQ(ProfileFile::Load(folder_ / "absent.ini").ReadString("", "", kMissing), kMissing);
  std::filesystem::create_directory(path_);
  EXPECT_EQ(ProfileFile::Load(path_).ReadString("", "", kMissing), kMissing);
}

// ---- Writing ----

TEST_F(ProfileFileTest, WritesKeysInPlaceOrAtTheEndOfTheirSection) {
  struct Case {
    const char* rule;
    std::string before;
    std::vector<Write> writes;
    std::string after;
  };
  const std::vector<Case> cases = {
      {"replaces the first equal key with the caller's spelling",
       "[S]\r\n  KEY = old ; x\r\nkey=second\r\nz=1\r\n",
       {{"s", "Key", "new"}},
       "[S]\r\nKey=new\r\nkey=second\r\nz=1\r\n"},
      {"replaces in the first of repeated sections",
       "[S]\r\na=1\r\n[S]\r\na=2\r\n",
       {{"s", "a", "9"}},
       "[S]\r\na=9\r\n[S]\r\na=2\r\n"},
      {"adds a key after the last non-blank line of its section",
       "[A]\r\nx=1\r\n; note\r\n\r\n \t\r\n[B]\r\ny=2\r\n",
       {{"A", "z", "3"}},
       "[A]\r\nx=1\r\n; note\r\nz=3\r\n\r\n \t\r\n[B]\r\ny=2\r\n"},
      {"adds a key right after a bare section line",
       "[A]\r\n\r\n[B]\r\n",
       {{"a", "k", "v"}},
       "[A]\r\nk=v\r\n\r\n[B]\r\n"},
      {"adds a section at the end after one blank line",
       "[A]\r\nx=1",
       {{"New", "k", "v"}},
       "[A]\r\nx=1\r\n\r\n[New]\r\nk=v\r\n"},
      {"adds no second blank line",
       "[A]\r\nx=1\r\n\t\r\n",
       {{"New", "k", "v"}},
       "[A]\r\nx=1\r\n\t\r\n[New]\r\nk=v\r\n"},
      {"starts an empty file with the section", "", {{"New", "k", "v"}}, "[New]\r\nk=v\r\n"},
      {"puts keys of section \"\" before the first section line",
       "[A]\r\nx=1\r\n",
       {{"", "top", "1"}},
       "top=1\r\n[A]\r\nx=1\r\n"},
      {"puts keys of section \"\" after the top keys, behind the byte order mark",
       "\xEF\xBB\xBF"
       "a=1\r\n\r\n[A]\r\n",
       {{"", "b", "2"}},
       "\xEF\xBB\xBF"
       "a=1\r\nb=2\r\n\r\n[A]\r\n"},
      {"writes B beside an unnamed [B section",
       "[B\r\nk=old\r\n",
       {{"B", "k", "new"}},
       "[B\r\nk=old\r\n\r\n[B]\r\nk=new\r\n"},
      {"keeps untouched lines, ending every line in CR LF",
       "\xEF\xBB\xBF  [S] tail\r;c\n\tk = v \r\nodd line\n\x01\xFF",
       {{"S", "x", "1"}},
       "\xEF\xBB\xBF  [S] tail\r\n;c\r\n\tk = v \r\nodd line\r\n\x01\xFF\r\nx=1\r\n"},
      {"writes an empty value as key=", "[S]\r\n", {{"S", "k", ""}}, "[S]\r\nk=\r\n"},
      {"writes the caller's names trimmed", "", {{" S\t", " k ", "v"}}, "[S]\r\nk=v\r\n"},
      {"keeps the place of a key written twice",
       "",
       {{"S", "a", "1"}, {"S", "b", "2"}, {"s", "A", "3"}},
       "[S]\r\nA=3\r\nb=2\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.rule);
    EXPECT_EQ(BytesAfter(c.before, c.writes), c.after);
  }
}

TEST_F(ProfileFileTest, WritesIntegersInDecimal) {
  ProfileFile profile = ProfileFile::Load(path_);
  profile.WriteInteger("S", "low", INT_MIN);
  profile.WriteInteger("S", "high", 255);
  profile.Save();
  EXPECT_EQ(ReadFileBytes(path_), "[S]\r\nlow=-2147483648\r\nhigh=255\r\n");
}

// Every value reads back as written, apart from line breaks, which become spaces.
TEST_F(ProfileFileTest, StoresTrickyValuesSoTheyReadBack) {
  struct Case {
    std::string value;
    std::string line;  // as saved
    std::string readBack;
  };
  const std::vector<Case> cases = {
      {"plain", "k=plain", "plain"},
      {"", "k=", ""},
      {"  lead", "k=\"  lead\"", "  lead"},
      {"trail\t", "k=\"trail\t\"", "trail\t"},
      {" ", "k=\" \"", " "},
      {"\"quoted\"", "k=\"\"quoted\"\"", "\"quoted\""},
      {"'single'", "k=\"'single'\"", "'single'"},
      {"\"a\"b\"", "k=\"\"a\"b\"\"", "\"a\"b\""},
      {"\"\"", "k=\"\"\"\"", "\"\""},
      {"\"", "k=\"", "\""},
      {"\" unbalanced", "k=\" unbalanced", "\" unbalanced"},
      {"say \"hi\" now", "k=say \"hi\" now", "say \"hi\" now"},
      {"'mixed\"", "k='mixed\"", "'mixed\""},
      {"a ; b = c", "k=a ; b = c", "a ; b = c"},
      {"[Evil]", "k=[Evil]", "[Evil]"},
      {"one\r\ntwo\rthree\nfour", "k=one  two three four", "one  two three four"},
      {"end\n", "k=\"end \"", "end "},
      {"ab\0cd"s, "k=ab", "ab"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("value: " + c.value);
    std::filesystem::remove(path_);
    ProfileFile profile = ProfileFile::Load(path_);
    profile.WriteString("S", "k", c.value);
    EXPECT_EQ(profile.ReadString("S", "k", kMissing), c.readBack);
    profile.Save();
    EXPECT_EQ(ReadFileBytes(path_), "[S]\r\n" + c.line + "\r\n");
    EXPECT_EQ(ProfileFile::Load(path_).ReadString("S", "k", kMissing), c.readBack);
  }
}

TEST_F(ProfileFileTest, AValueCannotInjectKeysOrSections) {
  ProfileFile profile = LoadBytes("[S]\r\nk=1\r\n");
  profile.WriteString("S", "k", "x\r\n[Evil]\r\nk=2\n[S]\nother=3");
  const ProfileFile reloaded = SaveAndReload(profile);
  EXPECT_EQ(reloaded.ReadString("Evil", "k", kMissing), kMissing);
  EXPECT_EQ(reloaded.ReadString("S", "other", kMissing), kMissing);
  EXPECT_EQ(reloaded.ReadString("S", "k", kMissing), "x  [Evil]  k=2 [S] other=3");
}

// The program writes fixed names only; one that would not read back is a fault caught at once.
TEST_F(ProfileFileTest, NamesTheFormatCannotHoldAreRefusedAtTheWrite) {
  const std::vector<Write> refused = {
      {"a]b", "k", "x"}, {"a\nb", "k", "x"}, {"a\rb", "k", "x"}, {"S", "[k", "x"},
      {"S", "k=x", "x"}, {"S", "k\nx", "x"}, {"S", "k\r", "x"},  {"S", "\xEF\xBB\xBFkey", "x"},
      {"S", " [k", "x"},
  };
  for (const Write& write : refused) {
    SCOPED_TRACE(testing::PrintToString(write.section + "|" + write.key));
    std::filesystem::remove(path_);
    ProfileFile profile = ProfileFile::Load(path_);
    EXPECT_THROW(profile.WriteString(write.section, write.key, write.value), std::invalid_argument);
    profile.Save();
    EXPECT_FALSE(std::filesystem::exists(path_)) << "nothing was written";
  }

  // Names close to those that read back as they were written.
  const std::vector<Write> kept = {
      {"[B", "x", "1"}, {"S", "k]", "2"},    {"S", "a[b", "3"}, {"S", "k\xEF\xBB\xBF", "4"},
      {"", "", "5"},    {" T ", " k ", "6"},
  };
  std::filesystem::remove(path_);
  ProfileFile profile = ProfileFile::Load(path_);
  for (const Write& write : kept) {
    profile.WriteString(write.section, write.key, write.value);
  }
  const ProfileFile reloaded = SaveAndReload(profile);
  for (const Write& write : kept) {
    EXPECT_EQ(reloaded.ReadString(write.section, write.key, kMissing), write.value)
        << write.section << "|" << write.key;
  }
}

// One operation writing many keys must leave the same bytes as one operation per key.
TEST_F(ProfileFileTest, ManyWritesInOneOperationEqualOneOperationEach) {
  const std::vector<Write> writes = {
      {"A", "x", "10"},       {"A", "y", "  padded"},    {"", "top2", "t"},
      {"B", "x", "6"},        {"C", "z", "new"},         {"c", "Z", "newer"},
      {"b", "q", "\"q\""},    {"D", "k", "line\r\nbrk"}, {"A", "y", "again"},
      {"", "top", "1"},       {"E", "", "empty key"},    {"e", "k", ""},
      {"[B", "x", "unnamed"}, {"", "", "nameless"},      {"D", "k", "last"},
  };
  const std::vector<std::string> startingFiles = {
      "",
      "\xEF\xBB\xBFtop=0\r\n\r\n[A]\rx=1\n\n[b]\r\n[B\r\nx=5\r\n[a]\r\nx=2\r\n \t\r\n",
      "[A]\r\n; only a comment\r\n\r\n\r\n[]\r\nk=v",
  };
  for (const std::string& start : startingFiles) {
    SCOPED_TRACE("starting from: " + start);
    const std::string together = BytesAfter(start, writes);
    WriteFileBytes(path_, start);
    for (const Write& write : writes) {
      ProfileFile profile = ProfileFile::Load(path_);
      profile.WriteString(write.section, write.key, write.value);
      profile.Save();
    }
    EXPECT_EQ(ReadFileBytes(path_), together);
  }
}

// ---- Saving safely ----

TEST_F(ProfileFileTest, SaveIntoAMissingFolderFailsWithTheFileName) {
  const std::string path = folder_ / "no/such/folder/config.ini";
  ProfileFile profile = ProfileFile::Load(path);
  profile.WriteString("S", "k", "v");
  EXPECT_THAT([&] { profile.Save(); },
              testing::ThrowsMessage<Failure>("Unable to write to " + path));
  EXPECT_FALSE(std::filesystem::exists(folder_ / "no"));
}

TEST_F(ProfileFileTest, SaveOverAFolderFailsAndLeavesEverythingAsItWas) {
  WriteFileBytes(folder_ / "config.ini/inside.txt", "kept");
  ProfileFile profile = ProfileFile::Load(path_);
  profile.WriteString("S", "k", "v");
  EXPECT_THAT([&] { profile.Save(); },
              testing::ThrowsMessage<Failure>("Unable to write to " + path_));
  EXPECT_EQ(ReadFileBytes(folder_ / "config.ini/inside.txt"), "kept");
  // No temporary file is left beside it.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_.Path()), {}), 1);
}

// A save that changes nothing writes nothing: bytes put into the file after it was loaded are
// still there afterwards, and a save with a change writes what the operation holds.
TEST_F(ProfileFileTest, ASaveThatChangesNothingLeavesTheFileAlone) {
  ProfileFile profile = LoadBytes("[Settings]\r\nLastPage=3\r\n");
  const std::string touchedSinceLoad = "[Settings]\r\nLastPage=3\r\n; written by another\r\n";
  WriteFileBytes(path_, touchedSinceLoad);
  profile.WriteInteger("Settings", "LastPage", 3);
  profile.Save();
  EXPECT_EQ(ReadFileBytes(path_), touchedSinceLoad);
  profile.WriteInteger("Settings", "LastPage", 4);
  profile.Save();
  EXPECT_EQ(ReadFileBytes(path_), "[Settings]\r\nLastPage=4\r\n");
}

// ---- Damaged files: reads give what the rules give, and writing still works ----

TEST_F(ProfileFileTest, BinaryGarbageReadsAsDefaultsAndCanBeWrittenInto) {
  // Random bytes, rich in the characters the format gives a meaning to.
  std::mt19937 random(20240601);
  const std::string meaningful = "\0\r\n[]=\"' \t;"s;
  std::string garbage(64 * 1024, '\0');
  for (char& c : garbage) {
    const std::uint32_t draw = random();
    c = draw % 4 == 0 ? meaningful[(draw >> 8) % meaningful.size()] : static_cast<char>(draw >> 24);
  }
  ProfileFile profile = LoadBytes(garbage);
  EXPECT_EQ(profile.ReadString("HOMEPAGE-1", "Name", kMissing), kMissing);
  EXPECT_EQ(profile.ReadInteger("HOMEPAGE-1", "TextColor", -5), -5);

  profile.WriteString("HOMEPAGE-1", "Name", "Mine");
  const ProfileFile reloaded = SaveAndReload(profile);
  EXPECT_EQ(reloaded.ReadString("HOMEPAGE-1", "Name", kMissing), "Mine");
  // A second save of the damaged file changes nothing more.
  const std::string saved = ReadFileBytes(path_);
  reloaded.Save();
  EXPECT_EQ(ReadFileBytes(path_), saved);
}

TEST_F(ProfileFileTest, AFileCutOffMidLineReadsWhatIsThere) {
  ProfileFile profile = LoadBytes("[HOMEPAGE-1]\r\nName=Mine\r\nTextColor=\"#FF");
  EXPECT_EQ(profile.ReadString("HOMEPAGE-1", "Name", kMissing), "Mine");
  EXPECT_EQ(profile.ReadString("HOMEPAGE-1", "TextColor", kMissing), "\"#FF");
  profile.WriteString("HOMEPAGE-1", "TitleColor", "1");
  profile.Save();
  EXPECT_EQ(ReadFileBytes(path_),
            "[HOMEPAGE-1]\r\nName=Mine\r\nTextColor=\"#FF\r\nTitleColor=1\r\n");

  profile = LoadBytes("[HOMEPAGE-1]\r\nName=Mine\r\n[HOMEPA");
  EXPECT_EQ(profile.ReadString("HOMEPAGE-1", "Name", kMissing), "Mine");
  profile.WriteString("HOMEPAGE-2", "Name", "Two");
  const ProfileFile reloaded = SaveAndReload(profile);
  EXPECT_EQ(reloaded.ReadString("HOMEPAGE-1", "Name", kMissing), "Mine");
  EXPECT_EQ(reloaded.ReadString("HOMEPAGE-2", "Name", kMissing), "Two");
}

TEST_F(ProfileFileTest, AOneMegabyteLineIsKeptAndReadsCut) {
  const std::string huge(1024 * 1024, 'x');
  const std::string file = "[S]\r\nbig=" + huge + "\r\nk=v\r\n[T]\r\n" + huge + "\r\n";
  ProfileFile profile = LoadBytes(file);
  EXPECT_EQ(profile.ReadString("S", "big", kMissing), huge.substr(0, 2047));
  EXPECT_EQ(profile.ReadString("S", "k", kMissing), "v");
  EXPECT_EQ(profile.ReadString("T", huge, kMissing), kMissing);
  profile.WriteString("T", "n", "1");
  const ProfileFile reloaded = SaveAndReload(profile);
  EXPECT_EQ(ReadFileBytes(path_), file + "n=1\r\n");
  EXPECT_EQ(reloaded.ReadString("T", "n", kMissing), "1");
}

TEST_F(ProfileFileTest, NulBytesEndTheirLineForReadsAndAreKeptOtherwise) {
  // "\0\0[T]" is no section line: read as text, it ends before it begins.
  ProfileFile profile = LoadBytes("[S]\r\nk=ab\0cd\r\n\0\0[T]\r\nj=1\r\n\0\r\n"s);
  EXPECT_EQ(profile.ReadString("S", "k", kMissing), "ab");
  EXPECT_EQ(profile.ReadString("S", "j", kMissing), "1");
  EXPECT_EQ(profile.ReadString("T", "j", kMissing), kMissing);
  profile.WriteString("S", "k", "new");
  profile.WriteString("S", "n", "2");
  const ProfileFile reloaded = SaveAndReload(profile);
  EXPECT_EQ(ReadFileBytes(path_), "[S]\r\nk=new\r\n\0\0[T]\r\nj=1\r\nn=2\r\n\0\r\n"s);
  EXPECT_EQ(reloaded.ReadString("S", "k", kMissing), "new");
}

TEST_F(ProfileFileTest, CarriageReturnLineEndsBecomeCrLfWhenWritten) {
  ProfileFile profile = LoadBytes("[S]\rk=v\r[T]\rj=w");
  EXPECT_EQ(profile.ReadString("S", "k", kMissing), "v");
  EXPECT_EQ(profile.ReadString("T", "j", kMissing), "w");
  profile.WriteString("S", "n", "1");
  const ProfileFile reloaded = SaveAndReload(profile);
  EXPECT_EQ(ReadFileBytes(path_), "[S]\r\nk=v\r\nn=1\r\n[T]\r\nj=w\r\n");
  EXPECT_EQ(reloaded.ReadString("S", "n", kMissing), "1");
}

TEST_F(ProfileFileTest, RepeatedSectionsTakeWritesInTheFirst) {
  ProfileFile profile = LoadBytes("[S]\r\na=1\r\n[S]\r\na=2\r\nb=3\r\n");
  EXPECT_EQ(profile.ReadString("S", "a", kMissing), "1");
  EXPECT_EQ(profile.ReadString("S", "b", kMissing), kMissing);
  profile.WriteString("S", "b", "4");
  const ProfileFile reloaded = SaveAndReload(profile);
  EXPECT_EQ(ReadFileBytes(path_), "[S]\r\na=1\r\nb=4\r\n[S]\r\na=2\r\nb=3\r\n");
  EXPECT_EQ(reloaded.ReadString("S", "b", kMissing), "4");
}

}  // namespace
}  // namespace lintavo
