#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "browsers/BrowserFiles.h"
#include "browsers/HomePageRecord.h"
#include "browsers/JsonMembers.h"
#include "browsers/chromium/ChromiumHomePage.h"
#include "support/TestEnvironment.h"

// The home page of one Chromium-family profile, in its Preferences file.

namespace lintavo::browsers {
namespace {

namespace fs = std::filesystem;
using test::ReadFileBytes;
using test::WriteFileBytes;
using testing::HasSubstr;

constexpr const char* kUrl = "file:///home/ann/My%20Home%20Pages/my%20home%20page%201.htm";
const std::string kUrlJson = std::string("\"") + kUrl + "\"";

// A Preferences file as Chromium writes it (compact, members sorted), with settings of its own
// beside and inside the ones the home page needs, and a start that continues where the person
// left off.
const std::string kPreferences =
    R"({"browser":{"has_seen_welcome_page":true,"window_placement":{"bottom":1053,"left":10}},)"
    R"("homepage":"https://example.org/","homepage_is_newtabpage":true,)"
    R"("profile":{"name":"Person 1","exit_type":"Normal"},)"
    R"("session":{"restore_on_startup":1,"startup_urls":["https://a.example/","https://b.example/"]},)"
    R"("zoom":{"level":-0.5,"big":12345678901234,"text":"caf\u00e9 \"q\""}})";
// What the home page makes of it: the page is the home page, and the session is still restored.
const std::string kPreferencesSet =
    R"({"browser":{"has_seen_welcome_page":true,"show_home_button":true,)"
    R"("window_placement":{"bottom":1053,"left":10}},)"
    R"("homepage":")" +
    std::string(kUrl) +
    R"(","homepage_is_newtabpage":false,)"
    R"("profile":{"name":"Person 1","exit_type":"Normal"},)"
    R"("session":{"restore_on_startup":1,"startup_urls":["https://a.example/","https://b.example/"]},)"
    R"("zoom":{"level":-0.5,"big":12345678901234,"text":"caf\u00e9 \"q\""}})";

class ChromiumHomePageTest : public testing::Test {
 protected:
  std::string PreferencesPath() const { return profile_ / "Preferences"; }
  std::string Preferences() const { return ReadFileBytes(PreferencesPath()); }
  std::string RecordPath() const { return profile_ / "lintavo-home-page.json"; }
  std::optional<HomePageRecord> Record() const {
    return fs::exists(RecordPath()) ? ParseHomePageRecord(ReadFileBytes(RecordPath()))
                                    : std::nullopt;
  }
  HomePageOutcome Set(const std::string& url = kUrl) const {
    return SetChromiumHomePage(profile_.Path().string(), url);
  }

  test::TempFolder profile_;
};

TEST_F(ChromiumHomePageTest, SetsTheHomePageAndKeepsEveryOtherByte) {
  const auto edit = WithChromiumHomePage(kPreferences, kUrl);
  ASSERT_TRUE(edit);
  EXPECT_EQ(edit->text, kPreferencesSet);
  const auto again = WithChromiumHomePage(edit->text, kUrl);
  ASSERT_TRUE(again);
  EXPECT_EQ(again->text, edit->text) << "a second write changes nothing";

  // The members the home page needs are made where they are missing, in Chromium's order.
  const auto fromEmpty = WithChromiumHomePage("{}", kUrl);
  ASSERT_TRUE(fromEmpty);
  EXPECT_EQ(fromEmpty->text,
            R"({"browser":{"show_home_button":true},"homepage":)" + kUrlJson +
                R"(,"homepage_is_newtabpage":false,"session":{"restore_on_startup":4,)"
                R"("startup_urls":[)" +
                kUrlJson + "]}}");
}

// restore_on_startup: 1 continues where the person left off and is kept with its pages; 0 (the
// home page, as older versions had it), 4 (the pages of startup_urls), 5 (the new-tab page) and
// none (the browser's default, the new-tab page) become 4 with the page alone.
TEST_F(ChromiumHomePageTest, AStartThatContinuesWhereItLeftOffIsKept) {
  const std::string urls = R"(["https://a.example/","https://b.example/"])";
  const std::string page = "[" + kUrlJson + "]";
  struct Case {
    const char* name;
    std::string session;
    std::string expected;
  };
  const Case cases[] = {
      {"0", R"({"restore_on_startup":0,"startup_urls":)" + urls + "}",
       R"({"restore_on_startup":4,"startup_urls":)" + page + "}"},
      {"1", R"({"restore_on_startup":1,"startup_urls":)" + urls + "}",
       R"({"restore_on_startup":1,"startup_urls":)" + urls + "}"},
      {"1 without pages", R"({"restore_on_startup":1})", R"({"restore_on_startup":1})"},
      {"4", R"({"restore_on_startup":4,"startup_urls":)" + urls + "}",
       R"({"restore_on_startup":4,"startup_urls":)" + page + "}"},
      {"5", R"({"restore_on_startup":5})",
       R"({"restore_on_startup":4,"startup_urls":)" + page + "}"},
      {"none", R"({"x":0})", R"({"restore_on_startup":4,"startup_urls":)" + page + R"(,"x":0})"},
      {"1.0 is no integer the browser reads", R"({"restore_on_startup":1.0})",
       R"({"restore_on_startup":4,"startup_urls":)" + page + "}"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string prefix = R"({"browser":{"show_home_button":true},"homepage":)" + kUrlJson +
                               R"(,"homepage_is_newtabpage":false,"session":)";
    const auto edit = WithChromiumHomePage(prefix + c.session + "}", kUrl);
    ASSERT_TRUE(edit);
    EXPECT_EQ(edit->text, prefix + c.expected + "}");
  }
}

// Numbers that a parser would read into a double and write back otherwise, blanks, escapes and a
// byte-order mark: all stay as they were, and a member named with escapes is found by its name.
TEST_F(ChromiumHomePageTest, NumbersAndEveryOtherByteStayAsTheyWere) {
  const std::string tail =
      R"("big": 123456789012345678901234567890, "small": -9223372036854775809,)"
      "\n  \"time\": 13345678901234568.0, \"e\": 1e5, \"zero\": -0.0,\r\n"
      R"(  "text": "\u00e9\/\ud83d\ude00", "x": [1E+2, 0.10, {"y": -0}] })";
  const std::string preferences =
      "\xEF\xBB\xBF {\n  \"browser\" : { } ,\n  \"\\u0068omepage\": "
      "\"https://example.org/\",\n  \"session\": {\"restore_on_startup\""
      ": 1},\n  " +
      tail;
  const auto edit = WithChromiumHomePage(preferences, kUrl);
  ASSERT_TRUE(edit);
  EXPECT_EQ(edit->text,
            "\xEF\xBB\xBF {\n  \"browser\" : {\"show_home_button\":true } ,\n  "
            "\"\\u0068omepage\": " +
                kUrlJson +
                ",\n  \"homepage_is_newtabpage\":false,\"session\": "
                "{\"restore_on_startup\": 1},\n  " +
                tail);
  for (const char* number : {"123456789012345678901234567890", "-9223372036854775809",
                             "13345678901234568.0", "1e5", "-0.0", "1E+2", "0.10"}) {
    EXPECT_THAT(edit->text, HasSubstr(number));
  }
  EXPECT_EQ(edit->changes[0].current, "\"https://example.org/\"");
}

// A member the home page sets, or an object it sets one in, named twice in its object: which one
// counts is not certain, and the file is left alone. Other names given twice are no concern.
TEST_F(ChromiumHomePageTest, AMemberNamedTwiceIsNotGuessedAt) {
  for (const std::string& text : {
           std::string(R"({"homepage":"a","homepage":"b"})"),
           std::string(R"({"homepage":"a","\u0068omepage":"b"})"),
           std::string(R"({"browser":{"show_home_button":false,"show_home_button":false}})"),
           std::string(R"({"session":{"restore_on_startup":1},"session":{}})"),
           std::string(R"({"session":{"startup_urls":[],"startup_urls":[]}})"),
       }) {
    SCOPED_TRACE(text);
    EXPECT_FALSE(WithChromiumHomePage(text, kUrl));
  }
  const auto edit = WithChromiumHomePage(R"({"x":1,"x":2,"browser":{"y":1,"y":1}})", kUrl);
  ASSERT_TRUE(edit);
  EXPECT_THAT(edit->text,
              HasSubstr(R"("x":1,"x":2,"browser":{"show_home_button":true,"y":1,"y":1})"));

  WriteFileBytes(PreferencesPath(), R"({"homepage":"a","homepage":"b"})");
  EXPECT_EQ(Set(), HomePageOutcome::kNotSet);
  EXPECT_EQ(Preferences(), R"({"homepage":"a","homepage":"b"})");
  EXPECT_FALSE(fs::exists(RecordPath()));
}

TEST_F(ChromiumHomePageTest, WhatIsNotTheBrowsersSettingsObjectIsNotTaken) {
  for (const std::string& text : {
           std::string(""),
           std::string("not json"),
           std::string(R"({"homepage":"x",)"),  // cut short
           std::string("[1, 2]"),
           std::string(R"("text")"),
           std::string(R"({"browser":[]})"),
           std::string(R"({"session":"restore"})"),
           std::string("{\"a\":\"\xff\"}"),  // no UTF-8
           std::string(R"({"a":1}  trailing)"),
           std::string(R"({"deep":)") + std::string(300, '[') + std::string(300, ']') + "}",
       }) {
    SCOPED_TRACE(text.substr(0, 40));
    EXPECT_FALSE(WithChromiumHomePage(text, kUrl));
  }
  const std::string nested = R"({"deep":)" + std::string(150, '[') + std::string(150, ']') + "}";
  EXPECT_TRUE(WithChromiumHomePage(nested, kUrl)) << "nesting the browser reads is kept";
}

TEST_F(ChromiumHomePageTest, TheFileIsReplacedWithItsPermissionsOrLeftAsItWas) {
  WriteFileBytes(PreferencesPath(), kPreferences);
  ASSERT_EQ(chmod(PreferencesPath().c_str(), 0600), 0);

  EXPECT_EQ(Set(), HomePageOutcome::kSet);
  EXPECT_EQ(Preferences(), kPreferencesSet);
  struct stat info {};
  ASSERT_EQ(stat(PreferencesPath().c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0600u);
  EXPECT_EQ(test::FolderContent(profile_.Path().string()),
            (std::vector<std::string>{"Preferences", "lintavo-home-page.json"}));

  const std::string damaged = R"({"homepage":"https://example.org/",)";
  WriteFileBytes(PreferencesPath(), damaged);
  EXPECT_EQ(Set(), HomePageOutcome::kNotSet);
  EXPECT_EQ(Preferences(), damaged);

  fs::remove(PreferencesPath());
  EXPECT_EQ(Set(), HomePageOutcome::kNoProfile);
  EXPECT_FALSE(fs::exists(PreferencesPath()));
}

// The record holds what the file had, as it had it; later runs keep the person's values while the
// file still holds what an earlier run set.
TEST_F(ChromiumHomePageTest, TheRecordKeepsThePersonsValuesOverLaterRuns) {
  WriteFileBytes(PreferencesPath(), kPreferences);
  const HomePageRecord first{"Preferences",
                             {{"homepage", "\"https://example.org/\"", kUrlJson},
                              {"homepage_is_newtabpage", "true", "false"},
                              {"browser.show_home_button", std::nullopt, "true"}}};
  ASSERT_EQ(Set(), HomePageOutcome::kSet);
  EXPECT_EQ(Record(), first);

  EXPECT_EQ(Set(), HomePageOutcome::kSet);
  EXPECT_EQ(Record(), first) << "the same page again";
  EXPECT_EQ(Set("file:///other.htm"), HomePageOutcome::kSet);
  EXPECT_EQ(Record(),
            (HomePageRecord{"Preferences",
                            {{"homepage", "\"https://example.org/\"", "\"file:///other.htm\""},
                             {"homepage_is_newtabpage", "true", "false"},
                             {"browser.show_home_button", std::nullopt, "true"}}}));

  // The person switched to the new-tab page at start, and hid the Home button, since: what they
  // chose is recorded.
  WriteFileBytes(PreferencesPath(),
                 R"({"browser":{"show_home_button":false},"homepage":"file:///other.htm",)"
                 R"("homepage_is_newtabpage":false,)"
                 R"("session":{"restore_on_startup":5,"startup_urls":[ "https://a.example/" ]}})");
  EXPECT_EQ(Set(), HomePageOutcome::kSet);
  const HomePageRecord second{
      "Preferences",
      {{"homepage", "\"https://example.org/\"", kUrlJson},
       {"homepage_is_newtabpage", "true", "false"},
       {"browser.show_home_button", "false", "true"},
       {"session.restore_on_startup", "5", "4"},
       {"session.startup_urls", R"([ "https://a.example/" ])", "[" + kUrlJson + "]"}}};
  EXPECT_EQ(Record(), second);

  // Back to continuing where they left off: the start is theirs again, and the pages we set stay
  // in the record while the file holds them.
  WriteFileBytes(PreferencesPath(),
                 WithJsonMember(Preferences(), "session.restore_on_startup", "1").value());
  EXPECT_EQ(Set(), HomePageOutcome::kSet);
  HomePageRecord third = second;
  third.prefs.erase(third.prefs.begin() + 3);
  EXPECT_EQ(Record(), third);
}

TEST_F(ChromiumHomePageTest, WithoutARecordNothingChanges) {
  WriteFileBytes(PreferencesPath(), kPreferences);
  fs::create_symlink(profile_ / "missing/record.json", RecordPath());
  EXPECT_EQ(Set(), HomePageOutcome::kNotSet);
  fs::remove(RecordPath());
  fs::create_directory(RecordPath());
  EXPECT_EQ(Set(), HomePageOutcome::kNotSet);
  EXPECT_EQ(Preferences(), kPreferences);
}

// A 50 MB file is no browser's settings: it is refused by its size before it is read, though
// it holds a JSON object that would otherwise be taken.
TEST_F(ChromiumHomePageTest, AHugePreferencesFileIsRefusedUnread) {
  const std::size_t size = std::size_t{50} << 20;
  ASSERT_GT(size, kMaxPreferenceFileSize);
  std::string huge = R"({"padding":")";
  huge.append(size - huge.size() - 2, 'x');
  huge += "\"}";
  WriteFileBytes(PreferencesPath(), huge);

  EXPECT_EQ(Set(), HomePageOutcome::kNotSet);
  EXPECT_EQ(fs::file_size(PreferencesPath()), size);
  EXPECT_EQ(Preferences().substr(0, 16), huge.substr(0, 16));
}

// A profile kept elsewhere and linked into place: the file it leads to is replaced, and the links
// stay.
TEST_F(ChromiumHomePageTest, LinkedProfilesAndFilesStayLinked) {
  test::TempFolder elsewhere;
  WriteFileBytes(elsewhere / "real/Preferences.json", kPreferences);
  fs::create_directories(elsewhere / "profile");
  fs::create_symlink(elsewhere / "real/Preferences.json", elsewhere / "profile/Preferences");
  const std::string linkedProfile = profile_ / "Default";
  fs::create_directory_symlink(elsewhere / "profile", linkedProfile);

  EXPECT_EQ(SetChromiumHomePage(linkedProfile, kUrl), HomePageOutcome::kSet);
  EXPECT_TRUE(fs::is_symlink(linkedProfile));
  EXPECT_TRUE(fs::is_symlink(elsewhere / "profile/Preferences"));
  EXPECT_EQ(ReadFileBytes(elsewhere / "real/Preferences.json"), kPreferencesSet);
}

}  // namespace
}  // namespace lintavo::browsers
