#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>

#include "os/posix/BrowserFiles.h"
#include "os/posix/ChromiumHomePage.h"
#include "support/TestEnvironment.h"

// The home page of one Chromium-family profile, in its Preferences file.

namespace lintavo::os::posix {
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::json;
using test::ReadFileBytes;
using test::WriteFileBytes;

constexpr const char* kUrl = "file:///home/ann/My%20Home%20Pages/my%20home%20page%201.htm";

// A Preferences file as Chromium writes it (compact, members sorted), with settings of its own
// beside and inside the ones the home page needs.
const std::string kPreferences =
    R"({"browser":{"has_seen_welcome_page":true,"window_placement":{"bottom":1053,"left":10}},)"
    R"("homepage":"https://example.org/","homepage_is_newtabpage":true,)"
    R"("profile":{"name":"Person 1","exit_type":"Normal"},)"
    R"("session":{"restore_on_startup":1,"startup_urls":["https://a.example/","https://b.example/"]},)"
    R"("zoom":{"level":-0.5,"big":12345678901234,"text":"caf\u00e9 \"q\""}})";

class ChromiumHomePageTest : public testing::Test {
 protected:
  std::string PreferencesPath() const { return profile_ / "Preferences"; }
  std::string Preferences() const { return ReadFileBytes(PreferencesPath()); }

  test::TempFolder profile_;
};

TEST_F(ChromiumHomePageTest, SetsTheFiveSettingsAndKeepsEveryOtherOne) {
  const auto updated = WithChromiumHomePage(kPreferences, kUrl);
  ASSERT_TRUE(updated);

  Json expected = Json::parse(kPreferences);
  expected["homepage"] = kUrl;
  expected["homepage_is_newtabpage"] = false;
  expected["browser"]["show_home_button"] = true;
  expected["session"]["restore_on_startup"] = 4;
  expected["session"]["startup_urls"] = Json::array({kUrl});
  EXPECT_EQ(Json::parse(*updated), expected);
  EXPECT_EQ(updated->find('\n'), std::string::npos) << "compact, as the browser writes it";
  EXPECT_NE(updated->find("-0.5"), std::string::npos);
  EXPECT_NE(updated->find("12345678901234"), std::string::npos);
  EXPECT_EQ(WithChromiumHomePage(*updated, kUrl), updated) << "a second write changes nothing";

  // The sections the home page needs are made when the file has none.
  const auto fromEmpty = WithChromiumHomePage("{}", kUrl);
  ASSERT_TRUE(fromEmpty);
  EXPECT_EQ(*fromEmpty, std::string(R"({"browser":{"show_home_button":true},"homepage":")") + kUrl +
                            R"(","homepage_is_newtabpage":false,"session":{"restore_on_startup":4,)"
                            R"("startup_urls":[")" +
                            kUrl + R"("]}})");
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

  EXPECT_EQ(SetChromiumHomePage(profile_.Path().string(), kUrl), HomePageOutcome::kSet);
  EXPECT_EQ(Preferences(), WithChromiumHomePage(kPreferences, kUrl));
  struct stat info {};
  ASSERT_EQ(stat(PreferencesPath().c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0600u);
  EXPECT_EQ(test::FolderContent(profile_.Path().string()), std::vector<std::string>{"Preferences"});

  const std::string damaged = R"({"homepage":"https://example.org/",)";
  WriteFileBytes(PreferencesPath(), damaged);
  EXPECT_EQ(SetChromiumHomePage(profile_.Path().string(), kUrl), HomePageOutcome::kNotSet);
  EXPECT_EQ(Preferences(), damaged);

  fs::remove(PreferencesPath());
  EXPECT_EQ(SetChromiumHomePage(profile_.Path().string(), kUrl), HomePageOutcome::kNoProfile);
  EXPECT_FALSE(fs::exists(PreferencesPath()));
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

  EXPECT_EQ(SetChromiumHomePage(profile_.Path().string(), kUrl), HomePageOutcome::kNotSet);
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
  EXPECT_EQ(ReadFileBytes(elsewhere / "real/Preferences.json"),
            WithChromiumHomePage(kPreferences, kUrl));
}

}  // namespace
}  // namespace lintavo::os::posix
