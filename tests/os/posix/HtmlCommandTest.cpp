#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>

#include "os/Registry.h"
#include "support/RegistryValues.h"
#include "support/ScopedVariable.h"
#include "support/TestEnvironment.h"

namespace lintavo {
namespace {

namespace fs = std::filesystem;
using os::RegistryKey;
using os::RegistryRoot;
using os::RegistryValueType;
using test::WriteFileBytes;

constexpr const char* kHtmlCommand = "htmlfile\\shell\\open\\command";

// The default text/html application, as the desktop records it. Fixtures go into the isolated
// home; the system folders point at empty folders of the test's own.
class HtmlCommandTest : public ::testing::Test {
 protected:
  HtmlCommandTest() : path_("PATH", (bin_.Path()).c_str()) {}

  // IsolatedHome points each system folder list at one empty folder of its own.
  static std::string ConfigDir() { return std::getenv("XDG_CONFIG_DIRS"); }
  static std::string DataDir() { return std::getenv("XDG_DATA_DIRS"); }
  std::string UserApplications() const { return home_.DataHome() + "/applications"; }

  static void WriteDesktopEntry(const std::string& path, const std::string& lines) {
    WriteFileBytes(path, "[Desktop Entry]\nType=Application\nName=Browser\n" + lines + "\n");
  }
  static void WriteDefaults(const std::string& mimeappsList, const std::string& ids) {
    WriteFileBytes(mimeappsList, "[Default Applications]\ntext/html=" + ids + "\n");
  }
  std::string MakeProgram(const std::string& name) const {
    const std::string path = bin_ / name;
    WriteFileBytes(path, "#!/bin/sh\n");
    chmod(path.c_str(), 0755);
    return path;
  }

  static std::optional<std::string> Command() {
    const auto key = RegistryKey::OpenForReading(RegistryRoot::ClassesRoot, kHtmlCommand);
    if (!key) {
      return std::nullopt;
    }
    const auto value = key->Query("");
    EXPECT_TRUE(value) << "an open command key has its default value";
    return test::TextOf(value);
  }

  test::IsolatedHome home_;
  test::TempFolder bin_;
  test::ScopedVariable path_;
};

TEST_F(HtmlCommandTest, TheProgramOfTheExecLineBecomesTheCommand) {
  struct Case {
    std::string exec;
    std::string expected;  // "" for no command
  };
  const Case cases[] = {
      {"Exec=/opt/browser/browse %u", "\"/opt/browser/browse\" \"%1\""},
      {"Exec =  /opt/browser/browse", "\"/opt/browser/browse\" \"%1\""},
      {"Exec=\"/opt/My Browser/browse\" --new-window %U", "\"/opt/My Browser/browse\" \"%1\""},
      {R"(Exec="/opt/a\\\\b \\"q\\" \\$x/browse" %u)", "\"/opt/a\\b \"q\" $x/browse\" \"%1\""},
      {"Exec=\\s/opt/x/browse\\s%u", "\"/opt/x/browse\" \"%1\""},
      {"Exec=/opt/100%%/browse %u", "\"/opt/100%/browse\" \"%1\""},
      {"Exec=\"/opt/50%% off/browse\" %u", "\"/opt/50% off/browse\" \"%1\""},
      {"Exec=\"/opt/never closed %u", ""},
      {"Exec=", ""},
      {"Name=no exec line", ""},
      {"Exec[de]=/opt/localized", ""},
  };
  WriteDefaults(home_.ConfigHome() + "/mimeapps.list", "browser.desktop;");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.exec);
    WriteDesktopEntry(UserApplications() + "/browser.desktop", c.exec);
    EXPECT_EQ(Command().value_or(""), c.expected);
  }
}

TEST_F(HtmlCommandTest, ABareProgramNameIsFoundOnPath) {
  const std::string program = MakeProgram("browse");
  WriteFileBytes(bin_ / "plain-file", "not executable");
  WriteDefaults(home_.ConfigHome() + "/mimeapps.list", "browser.desktop");

  WriteDesktopEntry(UserApplications() + "/browser.desktop", "Exec=browse %u");
  EXPECT_EQ(Command(), "\"" + program + "\" \"%1\"");
  WriteDesktopEntry(UserApplications() + "/browser.desktop", "Exec=plain-file %u");
  EXPECT_EQ(Command(), "\"plain-file\" \"%1\"");
  WriteDesktopEntry(UserApplications() + "/browser.desktop", "Exec=not-installed %u");
  EXPECT_EQ(Command(), "\"not-installed\" \"%1\"");
  WriteDesktopEntry(UserApplications() + "/browser.desktop", "Exec=bin/browse %u");
  EXPECT_EQ(Command(), "\"bin/browse\" \"%1\"");
}

TEST_F(HtmlCommandTest, TheFirstInstalledVisibleApplicationWins) {
  WriteDefaults(home_.ConfigHome() + "/mimeapps.list",
                " missing.desktop ; ../escape.desktop;hidden.desktop;shadowed.desktop;"
                "vendor-browser.desktop;last.desktop;");
  WriteDesktopEntry(home_.DataHome() + "/escape.desktop", "Exec=/opt/escape");
  WriteDesktopEntry(UserApplications() + "/hidden.desktop", "Exec=/opt/hidden\nHidden=true");
  // A hidden entry of the user hides the system's entry of the same id.
  WriteDesktopEntry(UserApplications() + "/shadowed.desktop", "Hidden=true");
  WriteDesktopEntry(DataDir() + "/applications/shadowed.desktop", "Exec=/opt/shadowed");
  // "vendor-browser.desktop" may live in the subfolder vendor.
  WriteDesktopEntry(DataDir() + "/applications/vendor/browser.desktop", "Exec=/opt/vendor");
  WriteDesktopEntry(UserApplications() + "/last.desktop", "Exec=/opt/last");

  EXPECT_EQ(Command(), "\"/opt/vendor\" \"%1\"");
  fs::remove(DataDir() + "/applications/vendor/browser.desktop");
  EXPECT_EQ(Command(), "\"/opt/last\" \"%1\"");
}

// mimeapps.list is anyone's to edit. A control character makes an id name no file; and an id of
// many dashes, each of which may stand for a subfolder, takes time in proportion to its length,
// not to the number of ways to split it.
TEST_F(HtmlCommandTest, HostileIdsAreSkippedWithoutSearchingEveryWayToSplitThem) {
  WriteDesktopEntry(UserApplications() + "/last.desktop", "Exec=/opt/last");
  std::string manyDashes;
  for (int i = 0; i < 28; ++i) {
    manyDashes += "-a";
  }
  WriteDefaults(
      home_.ConfigHome() + "/mimeapps.list",
      std::string(1, '\0') + manyDashes + ".desktop;a\x01" + manyDashes + ".desktop;last.desktop");
  EXPECT_EQ(Command(), "\"/opt/last\" \"%1\"");

  // Folders that lead back to where they are make every split of such an id a folder path.
  fs::create_directory_symlink(".", UserApplications() + "/a");
  fs::create_directory_symlink(".", UserApplications() + "/a-a");
  for (int i = 0; i < 300; ++i) {
    manyDashes += "-a";
  }
  WriteDefaults(home_.ConfigHome() + "/mimeapps.list",
                "a" + manyDashes + "-missing.desktop;a-a-a-a-a-last.desktop");
  EXPECT_EQ(Command(), "\"/opt/last\" \"%1\"") << "found through the folders";
}

TEST_F(HtmlCommandTest, TheMimeappsListsCountInTheirOrder) {
  WriteDesktopEntry(UserApplications() + "/user-config.desktop", "Exec=/opt/user-config");
  WriteDesktopEntry(UserApplications() + "/system-config.desktop", "Exec=/opt/system-config");
  WriteDesktopEntry(UserApplications() + "/user-data.desktop", "Exec=/opt/user-data");
  WriteDesktopEntry(DataDir() + "/applications/system-data.desktop", "Exec=/opt/system-data");
  const std::string lists[] = {
      home_.ConfigHome() + "/mimeapps.list",
      ConfigDir() + "/mimeapps.list",
      UserApplications() + "/mimeapps.list",
      DataDir() + "/applications/mimeapps.list",
  };
  WriteDefaults(lists[0], "user-config.desktop");
  WriteDefaults(lists[1], "system-config.desktop");
  WriteDefaults(lists[2], "user-data.desktop");
  WriteDefaults(lists[3], "system-data.desktop");

  for (const char* expected : {"user-config", "system-config", "user-data", "system-data"}) {
    EXPECT_EQ(Command(), "\"/opt/" + std::string(expected) + "\" \"%1\"");
    // A list whose applications are all missing passes the question on to the next list.
    fs::remove(UserApplications() + "/" + expected + ".desktop");
    fs::remove(DataDir() + "/applications/" + expected + ".desktop");
  }
  EXPECT_EQ(Command(), std::nullopt);
}

TEST_F(HtmlCommandTest, OnlyTheDefaultApplicationsGroupCounts) {
  WriteDesktopEntry(UserApplications() + "/browser.desktop", "Exec=/opt/browse");
  WriteFileBytes(
      home_.ConfigHome() + "/mimeapps.list",
      "[Added Associations]\ntext/html=browser.desktop;\n"
      "[Default Applications]\ntext/plain=browser.desktop;\ntext/htmlx=browser.desktop\n");
  EXPECT_EQ(Command(), std::nullopt);
}

TEST_F(HtmlCommandTest, OnlyTheHtmlOpenCommandExistsAndNothingIsWritable) {
  WriteDesktopEntry(UserApplications() + "/browser.desktop", "Exec=/opt/browse %u");
  WriteDefaults(home_.ConfigHome() + "/mimeapps.list", "browser.desktop");

  auto key =
      RegistryKey::OpenForReading(RegistryRoot::ClassesRoot, "HTMLFILE\\Shell\\Open\\Command");
  ASSERT_TRUE(key);
  EXPECT_EQ(test::TypeOf(key->Query("")), RegistryValueType::String);
  EXPECT_FALSE(key->Query("Other"));
  EXPECT_FALSE(key->SetString("", "\"/opt/other\" \"%1\""));
  EXPECT_EQ(Command(), "\"/opt/browse\" \"%1\"");
  for (const char* other :
       {"htmlfile\\shell\\open", "htmlfile", "http\\shell\\open\\command", ""}) {
    EXPECT_FALSE(RegistryKey::OpenForReading(RegistryRoot::ClassesRoot, other)) << other;
  }
}

TEST_F(HtmlCommandTest, NoRegisteredApplicationMeansNoKey) {
  EXPECT_FALSE(RegistryKey::OpenForReading(RegistryRoot::ClassesRoot, kHtmlCommand));
  WriteFileBytes(home_.ConfigHome() + "/mimeapps.list", std::string("\0\xff[Default", 10));
  EXPECT_FALSE(RegistryKey::OpenForReading(RegistryRoot::ClassesRoot, kHtmlCommand));
}

}  // namespace
}  // namespace lintavo
