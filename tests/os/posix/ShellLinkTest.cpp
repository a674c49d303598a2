#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <iterator>

#include "os/ShellLink.h"
#include "os/posix/DesktopEntry.h"
#include "support/TestEnvironment.h"

namespace lintavo {
namespace {

namespace fs = std::filesystem;
using test::ReadFileBytes;
using test::WriteFileBytes;

unsigned ModeOf(const std::string& path) {
  struct stat info {};
  EXPECT_EQ(stat(path.c_str(), &info), 0) << path;
  return info.st_mode & 07777;
}

class ShellLinkTest : public ::testing::Test {
 protected:
  test::TempFolder folder_;
};

TEST_F(ShellLinkTest, WritesAnExecutableLauncherForTheTarget) {
  const std::string link = folder_ / "My Home Pages.desktop";
  const mode_t mask = umask(077);

  EXPECT_TRUE(os::SaveShellLink(link, "/opt/lintavo/lintavo", "/opt/lintavo/"));

  umask(mask);
  EXPECT_EQ(ReadFileBytes(link),
            "[Desktop Entry]\n"
            "Type=Application\n"
            "Name=My Home Pages\n"
            "Exec=\"/opt/lintavo/lintavo\"\n"
            "Path=/opt/lintavo/\n"
            "Icon=/opt/lintavo/lintavo.png\n"
            "Terminal=false\n");
  EXPECT_EQ(ModeOf(link), 0755u);
}

// Each line must read back, through the key-file escapes and the Exec quoting, as exactly what
// was given: a path with spaces or shell characters must neither split nor expand.
TEST_F(ShellLinkTest, OddCharactersSurviveTheLauncherFormat) {
  struct Case {
    std::string target;
    std::string execLine;
  };
  const Case cases[] = {
      {"/opt/my app/lintavo", R"(Exec="/opt/my app/lintavo")"},
      {"/opt/a\"b`c$d\\e/run", R"(Exec="/opt/a\\"b\\`c\\$d\\\\e/run")"},
      {"/opt/100%/run", R"(Exec="/opt/100%%/run")"},
      {"/opt/line\nbreak/run", R"(Exec="/opt/line\nbreak/run")"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.target);
    const std::string link = folder_ / "Odd\nName.desktop";
    const std::string workingFolder = " " + c.target + "\t\\";
    ASSERT_TRUE(os::SaveShellLink(link, c.target, workingFolder));
    const std::string content = ReadFileBytes(link);

    EXPECT_NE(content.find("\n" + c.execLine + "\n"), std::string::npos) << content;
    const auto exec = os::posix::FindKeyFileValue(content, "Desktop Entry", "Exec");
    ASSERT_TRUE(exec);
    EXPECT_EQ(os::posix::FirstExecArgument(*exec), c.target);
    EXPECT_EQ(os::posix::FindKeyFileValue(content, "Desktop Entry", "Path"), workingFolder);
    EXPECT_EQ(os::posix::FindKeyFileValue(content, "Desktop Entry", "Icon"), c.target + ".png");
    EXPECT_EQ(os::posix::FindKeyFileValue(content, "Desktop Entry", "Name"), "Odd\nName");
    EXPECT_EQ(std::count(content.begin(), content.end(), '\n'), 7) << "one line per key";
  }
}

TEST_F(ShellLinkTest, ReplacesAnExistingLink) {
  const std::string link = folder_ / "Pages.desktop";
  WriteFileBytes(link, "[Desktop Entry]\nExec=/old/target\nComment=stale and longer than new\n");
  chmod(link.c_str(), 0600);

  EXPECT_TRUE(os::SaveShellLink(link, "/new/target", "/new"));

  EXPECT_NE(ReadFileBytes(link).find("Exec=\"/new/target\"\n"), std::string::npos);
  EXPECT_EQ(ReadFileBytes(link).find("stale"), std::string::npos);
  EXPECT_EQ(ModeOf(link), 0755u);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_.Path()), fs::directory_iterator()), 1);
}

TEST_F(ShellLinkTest, NothingIsWrittenWhereTheLinkCannotGo) {
  fs::create_directory(folder_ / "a folder.desktop");
  fs::create_directory(folder_ / "a folder.desktop/inside");
  for (const std::string& link :
       {folder_ / "missing/Pages.desktop", folder_ / "a folder.desktop", std::string()}) {
    EXPECT_FALSE(os::SaveShellLink(link, "/opt/lintavo/lintavo", "/opt/lintavo")) << link;
  }
  EXPECT_FALSE(fs::exists(folder_ / "missing"));
  EXPECT_TRUE(fs::is_directory(folder_ / "a folder.desktop/inside"));
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_.Path()), fs::directory_iterator()), 1);
}

}  // namespace
}  // namespace lintavo
