#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "pages/ShellRoutines.h"
#include "support/RecordingBrowser.h"
#include "support/TestEnvironment.h"

namespace lintavo::test {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;

class ShellRoutinesTest : public ::testing::Test {
 protected:
  IsolatedHome home_;
};

TEST_F(ShellRoutinesTest, TheRegisteredBrowserGetsTheAddressAsItsOnlyArgument) {
  const RecordingBrowser browser(home_);
  const std::string page = home_.Home() + "/My Home Pages/my home page 3.htm";
  EXPECT_TRUE(OpenInHtmlBrowser(page));
  EXPECT_THAT(browser.AwaitArguments(), ElementsAre(page));
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
