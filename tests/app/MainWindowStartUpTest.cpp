#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <set>
#include <string>

#include "base/PathText.h"
#include "pages/PageFiles.h"
#include "support/gui/MainWindowFixture.h"

namespace lintavo::test {
namespace {

class MainWindowStartUpTest : public MainWindowFixture {};

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

// The width recorded in a BMP file's header.
std::int32_t BitmapWidth(const std::string& path) {
  const std::string bytes = ReadFileBytes(path);
  if (bytes.size() < 22) {
    return -1;
  }
  return static_cast<std::int32_t>(
      static_cast<std::uint8_t>(bytes[18]) | static_cast<std::uint8_t>(bytes[19]) << 8 |
      static_cast<std::uint8_t>(bytes[20]) << 16 | static_cast<std::uint8_t>(bytes[21]) << 24);
}

// The Qt image-format plugins mapped into this process, by path.
std::set<std::string> LoadedImageFormatPlugins() {
  std::set<std::string> plugins;
  std::ifstream maps("/proc/self/maps");
  std::string line;
  while (std::getline(maps, line)) {
    const std::size_t path = line.find('/');
    if (path != std::string::npos && line.find("/imageformats/", path) != std::string::npos) {
      plugins.insert(line.substr(path));
    }
  }
  return plugins;
}

TEST_F(MainWindowStartUpTest, FirstStartWritesThePagesInstallsPicturesAndSelectsPageOne) {
  PutTemplate();
  PutJpeg("template.jpg", 3, 2);
  PutJpeg("background2.jpg", 6, 4);  // a page's own picture, its name in any case
  PutJpeg("Background3.JPG", 5, 4);
  PutProgramFile("logo.bmp", "the logo");

  TfrmMain& window = Start();

  EXPECT_EQ(window.WebManager().RootFolder, PagesFolder());
  for (int n = 1; n <= kPageCount; ++n) {
    SCOPED_TRACE(n);
    EXPECT_THAT(ReadFileBytes(base::JoinPath(PagesFolder(), PageFileName(n))),
                HasSubstr("<title>Home page " + std::to_string(n) + "</title>"));
  }
  // The page's own picture beside the program wins over the general default picture.
  EXPECT_EQ(BitmapWidth(base::JoinPath(PagesFolder(), "background2.bmp")), 6);
  EXPECT_EQ(BitmapWidth(base::JoinPath(PagesFolder(), "background3.bmp")), 5);
  EXPECT_EQ(BitmapWidth(base::JoinPath(PagesFolder(), "background1.bmp")), 3);
  EXPECT_EQ(ReadFileBytes(base::JoinPath(PagesFolder(), "logo.bmp")), "the logo");

  EXPECT_THAT(PageNames(), ElementsAre("Home page 1", "Home page 2", "Home page 3", "Home page 4",
                                       "Home page 5", "Home page 6", "Home page 7", "Home page 8",
                                       "Home page 9", "Home page 10"));
  EXPECT_EQ(window.SelectedPosition(), 0);
  EXPECT_EQ(StoredLastPage(), "0");
  EXPECT_TRUE(Button("btnEditLinks").isEnabled());
  EXPECT_TRUE(Button("btnEditBackground").isEnabled());
  EXPECT_EQ(window.ConfigFile(), ConfigFile());
}

TEST_F(MainWindowStartUpTest, BackgroundsAndLogoAlreadyInThePagesFolderAreKept) {
  PutTemplate();
  PutJpeg("template.jpg", 3, 2);
  PutJpeg("background1.JPG", 6, 4);
  PutProgramFile("logo.bmp", "the new logo");
  fs::create_directories(PagesFolder());
  WriteFileBytes(base::JoinPath(PagesFolder(), "background1.bmp"), "the user's picture");
  WriteFileBytes(base::JoinPath(PagesFolder(), "logo.bmp"), "the old logo");

  Start();

  EXPECT_EQ(ReadFileBytes(base::JoinPath(PagesFolder(), "background1.bmp")), "the user's picture");
  EXPECT_EQ(ReadFileBytes(base::JoinPath(PagesFolder(), "logo.bmp")), "the old logo");
}

struct LastPageCase {
  const char* stored;  // nullptr: no LastPage key
  int position;
  const char* rewritten;
};

void PrintTo(const LastPageCase& value, std::ostream* out) {
  *out << "LastPage=" << (value.stored ? value.stored : "(missing)");
}

class MainWindowStartUpLastPageTest : public MainWindowStartUpTest,
                                      public ::testing::WithParamInterface<LastPageCase> {};

TEST_P(MainWindowStartUpLastPageTest, SelectsThePageOrNoneAndIsWrittenBackAtOnce) {
  const LastPageCase& expected = GetParam();
  if (expected.stored != nullptr) {
    PutLastPage(expected.stored);
  }
  TfrmMain& window = Start();
  EXPECT_EQ(window.SelectedPosition(), expected.position);
  EXPECT_EQ(StoredLastPage(), expected.rewritten);
  const bool pageSelected = expected.position != TfrmMain::kNoPage;
  EXPECT_EQ(Button("btnEditLinks").isEnabled(), pageSelected);
  EXPECT_EQ(Button("btnEditBackground").isEnabled(), pageSelected);
  EXPECT_TRUE(Button("btnView").isEnabled());
  EXPECT_TRUE(Button("btnSetHomePage").isEnabled());
}

INSTANTIATE_TEST_SUITE_P(Values, MainWindowStartUpLastPageTest,
                         ::testing::Values(LastPageCase{nullptr, 0, "0"},
                                           LastPageCase{"abc", 0, "0"}, LastPageCase{"0x3", 3, "3"},
                                           LastPageCase{"$2", 2, "2"}, LastPageCase{"9", 9, "9"},
                                           LastPageCase{"12", -1, "-1"},
                                           LastPageCase{"10", -1, "-1"},
                                           LastPageCase{"-1", -1, "-1"}));

TEST_F(MainWindowStartUpTest, NoPageSelectedStaysSoAtLaterStartsUntilThePersonPicksOne) {
  PutLastPage("12");
  Start();
  Start();
  EXPECT_EQ(Window().SelectedPosition(), TfrmMain::kNoPage);
  EXPECT_EQ(StoredLastPage(), "-1");
  EXPECT_FALSE(Button("btnEditLinks").isEnabled());

  PickPage(4);
  EXPECT_EQ(StoredLastPage(), "4");
  EXPECT_TRUE(Button("btnEditLinks").isEnabled());
  EXPECT_TRUE(Button("btnEditBackground").isEnabled());
}

// Settings that cannot be read are not there for this run, but they are still the person's: the
// start-up's own save says so and leaves them as they are.
TEST_F(MainWindowStartUpTest, SettingsThatCannotBeReadAreReportedAndNeverReplaced) {
  PutTemplate();
  ASSERT_EQ(mkfifo(ConfigFile().c_str(), 0600), 0);  // root reads any plain file

  TfrmMain& window = Start();

  EXPECT_THAT(errors_.Take(), ElementsAre("Unable to write to " + ConfigFile()));
  EXPECT_TRUE(fs::is_fifo(ConfigFile()));
  EXPECT_EQ(window.WebManager().Pages[0].second.Name, "Home page 1");
  PickPage(1);
  EXPECT_THAT(errors_.Take(), ElementsAre("Unable to write to " + ConfigFile()));
  EXPECT_TRUE(fs::is_fifo(ConfigFile()));
}

TEST_F(MainWindowStartUpTest, AStartUpStepThatFailsIsReportedAndTheRestSkippedButTheWindowOpens) {
  PutTemplate();
  PutJpeg("background1.JPG", 6, 4);
  PutProgramFile("background3.JPG", "this is no picture");
  PutProgramFile("logo.bmp", "the logo");

  TfrmMain& window = Start();

  EXPECT_THAT(errors_.Take(), ElementsAre(HasSubstr("JPEG error #")));
  EXPECT_TRUE(window.isVisible());
  // The steps before the failure ran, those after it did not.
  EXPECT_TRUE(fs::exists(base::JoinPath(PagesFolder(), "background1.bmp")));
  EXPECT_FALSE(fs::exists(base::JoinPath(PagesFolder(), "background3.bmp")));
  EXPECT_FALSE(fs::exists(base::JoinPath(PagesFolder(), "logo.bmp")));
  EXPECT_FALSE(fs::exists(base::JoinPath(PagesFolder(), PageFileName(1))));
  EXPECT_THAT(PageNames(), IsEmpty());
  EXPECT_EQ(StoredLastPage(), "(missing)");
  EXPECT_FALSE(Button("btnEditLinks").isEnabled());
  EXPECT_FALSE(Button("btnEditBackground").isEnabled());

  // The window stays usable: a command that needs no page still runs.
  Click("btnHelp");
  EXPECT_EQ(messages_.Messages().size(), 1U);
}

// To detect a picture's format Qt loads every image-format plugin on the system, a cost the first
// paint would carry; the window's pictures and the skin's drawing need none of them.
TEST_F(MainWindowStartUpTest, ShowingTheWindowLoadsNoImageFormatPlugin) {
  if (!std::ifstream("/proc/self/maps")) {
    GTEST_SKIP() << "this system does not list a process's mapped files";
  }
  if (!LoadedImageFormatPlugins().empty()) {
    GTEST_SKIP() << "an earlier test in this process loaded image-format plugins";
  }
  TfrmMain& window = Start();
  window.grab();  // draws every control, the list's arrow and the logo among them
  EXPECT_THAT(LoadedImageFormatPlugins(), IsEmpty());
}

}  // namespace
}  // namespace lintavo::test
