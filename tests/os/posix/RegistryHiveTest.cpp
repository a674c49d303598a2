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
using test::NumberOf;
using test::ReadFileBytes;
using test::TextOf;
using test::TypeOf;
using test::WriteFileBytes;

constexpr const char* kKey = "Software\\Lintavo\\Settings";

// The hive file of a new account, once anything is written: the browser's keys, which installing
// the browser creates, come first.
const std::string kNewHive =
    "Windows Registry Editor Version 5.00\n"
    "\n"
    "[HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\Main]\n"
    "\n"
    "[HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\TabbedBrowsing]\n"
    "\n";

class RegistryHiveTest : public ::testing::Test {
 protected:
  std::string HivePath() const { return home_.ConfigHome() + "/registry/HKEY_CURRENT_USER.reg"; }
  std::string Hive() const { return ReadFileBytes(HivePath()); }
  void WriteHive(const std::string& text) const { WriteFileBytes(HivePath(), text); }

  static RegistryKey CreateKey(const std::string& path) {
    auto key = RegistryKey::Create(RegistryRoot::CurrentUser, path);
    EXPECT_TRUE(key) << path;
    return *key;
  }
  static std::optional<os::RegistryValue> Read(const std::string& path, const std::string& name) {
    const auto key = RegistryKey::OpenForReading(RegistryRoot::CurrentUser, path);
    return key ? key->Query(name) : std::nullopt;
  }

  test::IsolatedHome home_;
};

TEST_F(RegistryHiveTest, WrittenValuesReadBackAndFormTheHiveFile) {
  RegistryKey key = CreateKey(kKey);
  EXPECT_TRUE(key.SetString("Folder", "C:\\My \"Pages\"\\"));
  EXPECT_TRUE(key.SetDWord("Count", 42));
  EXPECT_TRUE(key.SetString("", "default"));
  EXPECT_TRUE(key.SetDWord("Max", 0xFFFFFFFF));

  EXPECT_EQ(TextOf(Read(kKey, "Folder")), "C:\\My \"Pages\"\\");
  EXPECT_EQ(NumberOf(Read(kKey, "Count")), 42u);
  EXPECT_EQ(NumberOf(Read(kKey, "Max")), 0xFFFFFFFFu);
  EXPECT_EQ(TextOf(Read(kKey, "")), "default");
  EXPECT_FALSE(Read(kKey, "Missing"));

  EXPECT_EQ(Hive(), kNewHive +
                        "[HKEY_CURRENT_USER\\Software\\Lintavo\\Settings]\n"
                        "\"Folder\"=\"C:\\\\My \\\"Pages\\\"\\\\\"\n"
                        "\"Count\"=dword:0000002a\n"
                        "@=\"default\"\n"
                        "\"Max\"=dword:ffffffff\n");
}

// A new account has the keys that installing the browser creates, before any hive file exists;
// reading them writes nothing. A hive that exists holds only what it holds.
TEST_F(RegistryHiveTest, ANewHiveHoldsTheBrowsersKeysAndAnExistingOneWhatItHolds) {
  const char* browserKeys[] = {"Software\\Microsoft\\Internet Explorer\\Main",
                               "software\\microsoft\\internet explorer\\tabbedbrowsing"};
  for (const char* key : browserKeys) {
    EXPECT_TRUE(RegistryKey::OpenForReading(RegistryRoot::CurrentUser, key)) << key;
  }
  EXPECT_TRUE(RegistryKey::OpenForReading(RegistryRoot::CurrentUser, "Software\\Microsoft"));
  EXPECT_FALSE(Read(browserKeys[0], "Start Page"));
  EXPECT_FALSE(fs::exists(HivePath()));

  for (const std::string& existing :
       {std::string(), std::string("Windows Registry Editor Version 5.00\n\n"
                                   "[HKEY_CURRENT_USER\\Software\\Microsoft\\Internet "
                                   "Explorer\\Main]\n\"Start Page\"=\"about:blank\"\n")}) {
    SCOPED_TRACE(existing);
    WriteHive(existing);
    EXPECT_FALSE(RegistryKey::OpenForReading(RegistryRoot::CurrentUser, browserKeys[1]));
    EXPECT_EQ(RegistryKey::OpenForReading(RegistryRoot::CurrentUser, browserKeys[0]).has_value(),
              !existing.empty());
  }
}

TEST_F(RegistryHiveTest, KeysAndValueNamesIgnoreCase) {
  RegistryKey key = CreateKey(kKey);
  ASSERT_TRUE(key.SetString("Name", "first"));

  auto upper = RegistryKey::Create(RegistryRoot::CurrentUser, "SOFTWARE\\lintavo\\SETTINGS\\");
  ASSERT_TRUE(upper);
  ASSERT_TRUE(upper->SetString("NAME", "second"));
  ASSERT_TRUE(upper->SetDWord("name", 7));

  EXPECT_EQ(NumberOf(Read("software\\LINTAVO\\settings", "nAmE")), 7u);
  EXPECT_EQ(Hive(), kNewHive +
                        "[HKEY_CURRENT_USER\\Software\\Lintavo\\Settings]\n"
                        "\"name\"=dword:00000007\n");
}

TEST_F(RegistryHiveTest, AKeyExistsWithItsSectionOrOneBelowIt) {
  EXPECT_FALSE(RegistryKey::OpenForReading(RegistryRoot::CurrentUser, "Software\\Lintavo"));
  CreateKey("Software\\Lintavo\\Deep\\Key");

  for (const char* present :
       {"Software", "software\\lintavo", "Software\\Lintavo\\Deep\\Key", ""}) {
    EXPECT_TRUE(RegistryKey::OpenForReading(RegistryRoot::CurrentUser, present)) << present;
  }
  for (const char* missing :
       {"Software\\Lint", "Software\\Lintavo\\Deep\\Key\\Below", "Other", "Software\\Lintavo\nX"}) {
    EXPECT_FALSE(RegistryKey::OpenForReading(RegistryRoot::CurrentUser, missing)) << missing;
  }
  // Creating keys that exist adds nothing.
  const std::string before = Hive();
  CreateKey("Software\\Lintavo");
  CreateKey("Software\\Lintavo\\Deep\\Key");
  EXPECT_EQ(Hive(), before);
  EXPECT_FALSE(RegistryKey::Create(RegistryRoot::CurrentUser, "Bad\r\nName"));
}

TEST_F(RegistryHiveTest, KeysOpenedForReadingAndClassKeysAreNotWritten) {
  RegistryKey key = CreateKey(kKey);
  ASSERT_TRUE(key.SetString("Name", "kept"));
  const std::string before = Hive();

  auto readOnly = RegistryKey::OpenForReading(RegistryRoot::CurrentUser, kKey);
  ASSERT_TRUE(readOnly);
  EXPECT_FALSE(readOnly->SetString("Name", "changed"));
  EXPECT_FALSE(readOnly->SetDWord("Other", 1));
  EXPECT_FALSE(RegistryKey::Create(RegistryRoot::ClassesRoot, "htmlfile\\shell\\open\\command"));
  EXPECT_FALSE(RegistryKey::Create(RegistryRoot::ClassesRoot, "Lintavo.Page"));

  EXPECT_EQ(Hive(), before);
}

TEST_F(RegistryHiveTest, DataOfEveryKindDecodes) {
  struct Case {
    std::string line;
    RegistryValueType type;
    std::string text;
    std::uint32_t number;
  };
  const Case cases[] = {
      {R"("v"="plain text")", RegistryValueType::String, "plain text", 0},
      {R"("v"="a\\b\"c\\")", RegistryValueType::String, "a\\b\"c\\", 0},
      {R"("v"="C:\Temp\new")", RegistryValueType::String,
       "C:\\Temp\n"
       "ew",
       0},
      {R"("v"="")", RegistryValueType::String, "", 0},
      {"  \"v\"  =  \"spaced\"  ", RegistryValueType::String, "spaced", 0},
      {R"("v"=dword:0000002a)", RegistryValueType::DWord, "", 42},
      {R"("v"=DWORD:FFFFFFFE)", RegistryValueType::DWord, "", 0xFFFFFFFE},
      {R"("v"=dword:2a)", RegistryValueType::DWord, "", 42},
      {R"("v"=dword:123456789)", RegistryValueType::Other, "", 0},
      {R"("v"=dword:)", RegistryValueType::Other, "", 0},
      {R"("v"=dword:xyz)", RegistryValueType::Other, "", 0},
      {R"("v"=hex(2):41,00,00,00)", RegistryValueType::Other, "", 0},
      {R"("v"=hex:01,02)", RegistryValueType::Other, "", 0},
      {R"("v"="unterminated)", RegistryValueType::Other, "", 0},
      {R"("v"="text" and more)", RegistryValueType::Other, "", 0},
      {R"("v"=-)", RegistryValueType::Other, "", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    WriteHive("Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\K]\n" + c.line + "\n");
    const auto value = Read("K", "V");
    ASSERT_TRUE(value);
    EXPECT_EQ(value->type, c.type);
    EXPECT_EQ(value->text, c.text);
    EXPECT_EQ(value->number, c.number);
  }
}

TEST_F(RegistryHiveTest, TextWithLineBreaksAndQuotesRoundTripsWithoutForgingLines) {
  RegistryKey key = CreateKey(kKey);
  const std::string texts[] = {
      "x\"\n[HKEY_CURRENT_USER\\Forged]\n\"Injected\"=\"yes",
      "ends in a backslash\\",
      "a\r\nb\rc\n",
      "  padded  ",
      "%1 \xc3\xbc \t tab",
      "\\n is not a line break",
  };
  for (const std::string& text : texts) {
    SCOPED_TRACE(text);
    ASSERT_TRUE(key.SetString("Text", text));
    ASSERT_TRUE(key.SetString("Name \"with\" quotes\n", text));
    EXPECT_EQ(TextOf(Read(kKey, "Text")), text);
    EXPECT_EQ(TextOf(Read(kKey, "Name \"with\" quotes\n")), text);
  }
  EXPECT_FALSE(RegistryKey::OpenForReading(RegistryRoot::CurrentUser, "Forged"));
  EXPECT_FALSE(Read(kKey, "Injected"));
}

TEST_F(RegistryHiveTest, TextEndsAtANulAsInAStringApi) {
  RegistryKey key = CreateKey(kKey);
  ASSERT_TRUE(key.SetString(std::string("Name\0tail", 9), std::string("data\0tail", 9)));
  EXPECT_EQ(TextOf(Read(kKey, "Name")), "data");
}

// A hive written by hand or by another tool: everything we do not set survives a rewrite
// byte for byte.
TEST_F(RegistryHiveTest, ARewriteKeepsEverythingItDoesNotChange) {
  const std::string original =
      "Windows Registry Editor Version 5.00\n"
      "\n"
      "; kept comment\n"
      "[HKEY_CURRENT_USER\\Software\\Other]\n"
      "\"Path\"=hex(2):25,00,48,00,4f,00,4d,00,45,00,25,00,\\\n"
      "  00,00\n"
      "\"Bin\"=hex:01,02\n"
      "garbage line without an equals sign\n"
      "\"Count\"=dword:zz\n"
      "\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Lintavo\\Settings]\n"
      "\"Name\"=\"machine\"\n"
      "\n"
      "[HKEY_CURRENT_USER\\Software\\Lintavo\\Settings]\n"
      "\"Name\"=\"old\"\n"
      "\n";
  WriteHive(original);
  EXPECT_EQ(TypeOf(Read("Software\\Other", "Path")), RegistryValueType::Other);
  EXPECT_EQ(TypeOf(Read("Software\\Other", "Bin")), RegistryValueType::Other);
  EXPECT_EQ(TypeOf(Read("Software\\Other", "Count")), RegistryValueType::Other);

  ASSERT_TRUE(CreateKey(kKey).SetString("Name", "new"));
  ASSERT_TRUE(CreateKey(kKey).SetDWord("Added", 1));
  ASSERT_TRUE(CreateKey("Software\\Other").SetString("Path", "%HOME%"));
  ASSERT_TRUE(CreateKey("Software\\Fresh").SetString("A", "b"));

  EXPECT_EQ(Hive(),
            "Windows Registry Editor Version 5.00\n"
            "\n"
            "; kept comment\n"
            "[HKEY_CURRENT_USER\\Software\\Other]\n"
            "\"Path\"=\"%HOME%\"\n"
            "\"Bin\"=hex:01,02\n"
            "garbage line without an equals sign\n"
            "\"Count\"=dword:zz\n"
            "\n"
            "[HKEY_LOCAL_MACHINE\\Software\\Lintavo\\Settings]\n"
            "\"Name\"=\"machine\"\n"
            "\n"
            "[HKEY_CURRENT_USER\\Software\\Lintavo\\Settings]\n"
            "\"Name\"=\"new\"\n"
            "\"Added\"=dword:00000001\n"
            "\n"
            "[HKEY_CURRENT_USER\\Software\\Fresh]\n"
            "\"A\"=\"b\"\n");
}

TEST_F(RegistryHiveTest, AFileWithCarriageReturnsKeepsThem) {
  WriteHive(
      "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\K]\r\n\"A\"=\"1\"\r\n");
  EXPECT_EQ(TextOf(Read("K", "A")), "1");
  ASSERT_TRUE(CreateKey("K").SetString("B", "2"));
  EXPECT_EQ(Hive(),
            "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\K]\r\n"
            "\"A\"=\"1\"\r\n\"B\"=\"2\"\r\n");
}

TEST_F(RegistryHiveTest, TheLastOfRepeatedValuesCountsAndASetLeavesOne) {
  WriteHive(
      "Windows Registry Editor Version 5.00\n\n"
      "[HKCU\\K]\n\"A\"=\"first\"\n\"a\"=\"second\"\n\n"
      "[HKEY_CURRENT_USER\\k]\n\"A\"=\"third\"\n\"B\"=\"b\"\n");
  EXPECT_EQ(TextOf(Read("K", "A")), "third");

  ASSERT_TRUE(CreateKey("K").SetString("A", "only"));

  EXPECT_EQ(Hive(),
            "Windows Registry Editor Version 5.00\n\n"
            "[HKCU\\K]\n\n"
            "[HKEY_CURRENT_USER\\k]\n\"A\"=\"only\"\n\"B\"=\"b\"\n");
}

TEST_F(RegistryHiveTest, EveryOperationReadsTheStoreAfresh) {
  RegistryKey key = CreateKey(kKey);
  ASSERT_TRUE(key.SetString("Name", "ours"));

  WriteHive(
      "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software\\Lintavo\\Settings]\n"
      "\"Name\"=\"theirs\"\n\"Other\"=dword:00000003\n");
  EXPECT_EQ(TextOf(key.Query("Name")), "theirs");
  ASSERT_TRUE(key.SetDWord("Count", 1));
  EXPECT_EQ(NumberOf(key.Query("Other")), 3u) << "a write must not drop what another wrote";

  fs::remove(HivePath());
  EXPECT_FALSE(key.Query("Name"));
  ASSERT_TRUE(key.SetString("Name", "again"));
  EXPECT_EQ(Hive(),
            kNewHive + "[HKEY_CURRENT_USER\\Software\\Lintavo\\Settings]\n\"Name\"=\"again\"\n");
}

TEST_F(RegistryHiveTest, AGarbledHiveIsReadAsFarAsPossibleAndNeverLost) {
  const std::string garbled = std::string("\0\xff\xfe\x01 binary junk\n", 17) +
                              "[HKEY_CURRENT_USER\\K\n"  // no closing bracket: no section
                              "\"A\"=\"1\"\n"
                              "[HKEY_CURRENT_USER\\K]\n"
                              "\"B\"=hex:\\\n"
                              "[HKEY_CURRENT_USER\\L]\n"  // a continuation never swallows a section
                              "\"C\"=\"3\"";
  WriteHive(garbled);
  EXPECT_FALSE(Read("K", "A"));
  EXPECT_EQ(TypeOf(Read("K", "B")), RegistryValueType::Other);
  EXPECT_EQ(TextOf(Read("L", "C")), "3");

  ASSERT_TRUE(CreateKey("K").SetString("D", "4"));

  // B's data awaits a continuation; a blank line ends it, so that D is not taken for one.
  EXPECT_EQ(TextOf(Read("K", "D")), "4");
  EXPECT_EQ(TypeOf(Read("K", "B")), RegistryValueType::Other);
  EXPECT_EQ(Hive(), std::string("\0\xff\xfe\x01 binary junk\n", 17) +
                        "[HKEY_CURRENT_USER\\K\n"
                        "\"A\"=\"1\"\n"
                        "[HKEY_CURRENT_USER\\K]\n"
                        "\"B\"=hex:\\\n"
                        "\n"
                        "\"D\"=\"4\"\n"
                        "[HKEY_CURRENT_USER\\L]\n"
                        "\"C\"=\"3\"\n");
}

TEST_F(RegistryHiveTest, AValueSetAfterAContinuationAtTheEndOfTheFileReadsBack) {
  WriteHive("[HKEY_CURRENT_USER\\K]\n\"B\"=hex:\\");
  ASSERT_TRUE(CreateKey("K").SetString("D", "4"));
  EXPECT_EQ(TextOf(Read("K", "D")), "4");
  ASSERT_TRUE(CreateKey("K").SetString("D", "5"));
  EXPECT_EQ(TextOf(Read("K", "D")), "5");
}

// A hive of one line ending in CR alone: the CR ends the line, now and after a rewrite.
TEST_F(RegistryHiveTest, AOneLineHiveEndingInCrMeansTheSameAfterARewrite) {
  WriteHive("[HKEY_CURRENT_USER\\K]\r");
  EXPECT_TRUE(RegistryKey::OpenForReading(RegistryRoot::CurrentUser, "K"));
  ASSERT_TRUE(CreateKey("L").SetString("A", "1"));
  EXPECT_TRUE(RegistryKey::OpenForReading(RegistryRoot::CurrentUser, "K"));
  EXPECT_EQ(TextOf(Read("L", "A")), "1");
}

// The hive leads to something that cannot be read as a file (tests run with every permission,
// so a symlink to a folder stands in for an unreadable file). Writing must not replace it.
TEST_F(RegistryHiveTest, AnUnreadableHiveIsNeitherReadNorOverwritten) {
  RegistryKey key = CreateKey(kKey);
  const std::string elsewhere = home_.Home() + "/elsewhere";
  fs::create_directories(elsewhere);
  fs::remove(HivePath());
  fs::create_directory_symlink(elsewhere, HivePath());

  EXPECT_FALSE(key.SetString("Name", "x"));
  EXPECT_FALSE(key.SetDWord("Name", 1));
  EXPECT_FALSE(key.Query("Name"));
  EXPECT_FALSE(RegistryKey::Create(RegistryRoot::CurrentUser, "Other"));
  EXPECT_FALSE(RegistryKey::OpenForReading(RegistryRoot::CurrentUser, kKey));
  EXPECT_TRUE(fs::is_symlink(HivePath()));
}

TEST_F(RegistryHiveTest, NoConfigFolderMeansNoStore) {
  setenv("HOME", "", 1);
  unsetenv("XDG_CONFIG_HOME");
  EXPECT_FALSE(RegistryKey::Create(RegistryRoot::CurrentUser, kKey));
  EXPECT_FALSE(RegistryKey::OpenForReading(RegistryRoot::CurrentUser, kKey));
}

}  // namespace
}  // namespace lintavo
