#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "pages/ShellRoutines.h"
#include "support/TestEnvironment.h"

namespace lintavo::test {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::Not;

class ShellRoutinesTest : public ::testing::Test {
 protected:
  // Registers a stand-in browser for text/html that writes its argument count and arguments,
  // one a line, to `record`.
  void RegisterRecordingBrowser() {
    const std::string script = home_.Home() + "/bin/fake browser";
    WriteFileBytes(script,
                   "#!/bin/sh\n{ echo \"$#\"; for a in \"$@\"; do echo \"$a\"; done; } > \"" +
                       Record() + ".part\" && mv \"" + Record() + ".part\" \"" + Record() + "\"\n");
    fs::permissions(script, fs::perms::owner_all);
    WriteFileBytes(
        home_.DataHome() + "/applications/fake-browser.desktop",
        "[Desktop Entry]\nType=Application\nName=Fake\nExec=\"" + script + "\" --new-window %u\n");
    WriteFileBytes(home_.ConfigHome() + "/mimeapps.list",
                   "[Default Applications]\ntext/html=fake-browser.desktop\n");
  }

  std::string Record() const { return home_.Home() + "/browser-record.txt"; }

  // The stand-in browser runs detached; give it a bounded time to leave its record.
  std::string AwaitRecord() const {
    for (int attempt = 0; attempt < 200 && !fs::exists(Record()); ++attempt) {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return fs::exists(Record()) ? ReadFileBytes(Record()) : std::string("(no record)");
  }

  IsolatedHome home_;
};

TEST_F(ShellRoutinesTest, TheRegisteredBrowserGetsTheAddressAsItsOnlyArgument) {
  RegisterRecordingBrowser();
  const std::string page = home_.Home() + "/My Home Pages/my home page 3.htm";
  EXPECT_TRUE(OpenInHtmlBrowser(page));
  EXPECT_EQ(AwaitRecord(), "1\n" + page + "\n");
}

TEST_F(ShellRoutinesTest, WithoutARegisteredBrowserNothingIsStarted) {
  EXPECT_FALSE(OpenInHtmlBrowser("https://example.org/"));
}

TEST_F(ShellRoutinesTest, ShortcutsGoToTheDesktopOrTheLauncherMenuAndReplaceEarlierOnes) {
  const std::string desktopLink = home_.Home() + "/Desktop/Lintavo.desktop";
  const std::string menuLink = home_.DataHome() + "/applications/Lintavo.desktop";

  EXPECT_TRUE(CreateShortcut("/opt/old place/lintavo", "Lintavo", "DESKTOP"));
  EXPECT_TRUE(CreateShortcut("/opt/new place/lintavo", "Lintavo", "DESKTOP"));
  const std::string desktop = ReadFileBytes(desktopLink);
  EXPECT_THAT(desktop, HasSubstr("Exec=\"/opt/new place/lintavo\"\n"));
  EXPECT_THAT(desktop, HasSubstr("Path=/opt/new place/\n"));
  EXPECT_THAT(desktop, Not(HasSubstr("old place")));

  EXPECT_TRUE(CreateShortcut("/opt/app/lintavo", "Lintavo", "QUICKLAUNCH"));
  EXPECT_THAT(ReadFileBytes(menuLink), HasSubstr("Exec=\"/opt/app/lintavo\"\n"));

  fs::remove(desktopLink);
  EXPECT_FALSE(CreateShortcut("/opt/app/lintavo", "Lintavo", "desktop"));
  EXPECT_FALSE(CreateShortcut("/opt/app/lintavo", "Lintavo", "STARTMENU"));
  EXPECT_FALSE(fs::exists(desktopLink));
}

}  // namespace
}  // namespace lintavo::test
