#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string_view>

#include "base/Failure.h"
#include "pages/WebManager.h"
#include "support/OtherUser.h"
#include "support/PageStoreFixture.h"

namespace lintavo::test {
namespace {

using ::testing::ThrowsMessage;

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using namespace std::string_literals;

class WebManagerTest : public ::testing::Test, public PageStoreFixture {};

void ExpectDefaultPage(const TWebPage& page, int n) {
  EXPECT_EQ(page.PageNumber, n);
  EXPECT_EQ(page.Name, "Home page " + std::to_string(n));
  EXPECT_EQ(page.TextColor, "#FFFFFF");
  EXPECT_EQ(page.TitleColor, "#FFFF00");
  ASSERT_EQ(page.CaptionLines1.size(), 48u);
  ASSERT_EQ(page.CaptionLines2.size(), 48u);
  ASSERT_EQ(page.Targets.size(), 48u);
  for (int cell = 0; cell < 48; ++cell) {
    EXPECT_EQ(page.CaptionLines1[cell] + page.CaptionLines2[cell] + page.Targets[cell], "");
  }
}

TEST_F(WebManagerTest, WithoutSettingsFileEveryPageHasItsDefaults) {
  const TWebManager& store = Open();
  ASSERT_EQ(store.Pages.size(), 10u);
  for (int n = 1; n <= 10; ++n) {
    EXPECT_EQ(store.Pages[n - 1].first, "HOMEPAGE-" + std::to_string(n));
    ExpectDefaultPage(store.Pages[n - 1].second, n);
  }
}

TEST_F(WebManagerTest, LoadReadsCellsByRowAndColumnAndKeepsEmptyValues) {
  WriteFileBytes(ConfigFile(),
                 "[HOMEPAGE-2]\r\nName=\r\nTextColor=#123456\r\nCaption-2-7-1=Mail\r\n"
                 "Caption-2-7-2=work\r\nTarget-2-7=https://mail.example\r\nTarget-6-8=last\r\n");
  const TWebPage& page = Open().Pages[1].second;
  EXPECT_EQ(page.Name, "") << "a present empty key is not the default";
  EXPECT_EQ(page.TextColor, "#123456");
  EXPECT_EQ(page.TitleColor, "#FFFF00");
  EXPECT_EQ(page.CaptionLines1[CellIndex(2, 7)], "Mail");
  EXPECT_EQ(page.CaptionLines2[CellIndex(2, 7)], "work");
  EXPECT_EQ(page.Targets[CellIndex(2, 7)], "https://mail.example");
  EXPECT_EQ(page.Targets[47], "last");
  ExpectDefaultPage(Store().Pages[0].second, 1);
}

TEST_F(WebManagerTest, SaveWritesAll147KeysOfEveryPageAndReloadsTheSamePages) {
  WriteFileBytes(ConfigFile(), "[Settings]\r\nLastPage=3\r\n");
  PageData(4).Name = "  Work \"stuff\"  ";
  PageData(4).CaptionLines1[CellIndex(3, 5)] = "News";
  PageData(4).Targets[CellIndex(3, 5)] = "https://news.example/?a=1;b=2";
  PageData(10).TitleColor = "'quoted'";
  const auto saved = Store().Pages;
  Store().SavePages();

  const std::string file = ReadFileBytes(ConfigFile());
  EXPECT_THAT(file, HasSubstr("LastPage=3\r\n")) << "other sections are kept";
  for (int n = 1; n <= 10; ++n) {
    const auto start = file.find("[HOMEPAGE-" + std::to_string(n) + "]\r\n");
    ASSERT_NE(start, std::string::npos);
    const auto end = file.find("\r\n[", start + 1);
    // Every line after the section line is a key line.
    const std::string_view section = std::string_view(file).substr(start, end - start);
    int keyLines = 0;
    for (auto line = section.find("\r\n"); line != std::string_view::npos;
         line = section.find("\r\n", line + 2)) {
      keyLines += section.substr(line + 2, section.find("\r\n", line + 2) - line - 2).find('=') !=
                  std::string_view::npos;
    }
    EXPECT_EQ(keyLines, 147) << "page " << n;
  }
  EXPECT_THAT(file, HasSubstr("[HOMEPAGE-1]\r\nName=Home page 1\r\nTextColor=#FFFFFF\r\n"
                              "TitleColor=#FFFF00\r\nCaption-1-1-1=\r\nCaption-1-1-2=\r\n"
                              "Target-1-1=\r\nCaption-1-2-1=\r\n"));

  EXPECT_EQ(Open().Pages, saved);
}

TEST_F(WebManagerTest, AfterASaveNoKeyFallsBackToADefault) {
  PageData(1).Name = "";
  PageData(1).TextColor = "";
  Store().SavePages();
  const TWebPage& reloaded = Open().Pages[0].second;
  EXPECT_EQ(reloaded.Name, "");
  EXPECT_EQ(reloaded.TextColor, "");
}

TEST_F(WebManagerTest, FailedSaveRaisesTheMessageAndLeavesTheOldFileWhole) {
  const std::string original = "[HOMEPAGE-1]\r\nName=Kept\r\n";
  WriteFileBytes(ConfigFile(), original);
  PageData(1).Name = "Changed";
  // A folder in place of the temporary file's folder entry cannot be renamed over.
  fs::remove(ConfigFile());
  fs::create_directory(ConfigFile());
  EXPECT_THAT([&] { Store().SavePages(); },
              ThrowsMessage<Failure>("Unable to write to " + ConfigFile()));
  fs::remove(ConfigFile());
  WriteFileBytes(ConfigFile(), original);
  // A settings file in a folder that does not exist cannot be written either.
  TWebManager elsewhere(ConfigFile() + ".d/config.ini", ProgramFolder());
  EXPECT_THROW(elsewhere.SavePages(), Failure);
  EXPECT_EQ(ReadFileBytes(ConfigFile()), original);
}

TEST_F(WebManagerTest, DamagedSettingsFilesGiveDefaultsKeyByKey) {
  const struct {
    const char* what;
    std::string bytes;
    const char* page1Name;  // what page 1's name reads as
  } cases[] = {
      {"binary", "\x00\xff\xfe[\x01\x02=\x80\x81\n\x7f"s, "Home page 1"},
      {"truncated", "[HOMEPAGE-1]\r\nName=Trunc", "Trunc"},
      {"one huge line", "[HOMEPAGE-1]\r\nName=" + std::string(1 << 20, 'x'),
       nullptr},  // checked below: the value is cut at 2047 characters
      {"NUL bytes", "[HOMEPAGE-1]\r\nName=Nu\0l\r\nTextColor=#000000\r\n"s, "Nu"},
      {"CR only", "[HOMEPAGE-1]\rName=Cr\rTextColor=#000000\r", "Cr"},
      {"duplicate sections", "[HOMEPAGE-1]\nName=First\n[homepage-1]\nName=Second\nTextColor=#1\n",
       "First"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    WriteFileBytes(ConfigFile(), c.bytes);
    const TWebManager& store = Open();
    const TWebPage& page1 = store.Pages[0].second;
    if (c.page1Name) {
      EXPECT_EQ(page1.Name, c.page1Name);
    } else {
      EXPECT_EQ(page1.Name, std::string(2047, 'x'));
    }
    EXPECT_EQ(page1.TitleColor, "#FFFF00");
    EXPECT_EQ(page1.Targets.size(), 48u);
    for (int n = 2; n <= 10; ++n) {
      ExpectDefaultPage(store.Pages[n - 1].second, n);
    }
  }
}

TEST_F(WebManagerTest, RootFolderIsMyHomePagesInTheDocumentsFolder) {
  const std::string documents = std::string(getenv("HOME")) + "/Documents";
  fs::create_directories(documents);
  EXPECT_EQ(Open().RootFolder, documents + "/My Home Pages");
  EXPECT_TRUE(fs::is_directory(Store().RootFolder));

  // Only the last level is created; a missing parent is left for the page writes to report.
  const std::string elsewhere = std::string(getenv("HOME")) + "/gone/deeper";
  WriteFileBytes(std::string(getenv("XDG_CONFIG_HOME")) + "/user-dirs.dirs",
                 "XDG_DOCUMENTS_DIR=\"" + elsewhere + "\"\n");
  EXPECT_EQ(Open().RootFolder, elsewhere + "/My Home Pages");
  EXPECT_FALSE(fs::exists(Store().RootFolder));
}

// An installed program's folder is not the person's: without a documents folder the pages go to
// the one the desktop would make, made for them. (Read-only for an ordinary user; the superuser
// owns every system folder, so owning this one tells nothing.)
TEST_F(WebManagerTest, WithoutADocumentsFolderAnInstalledProgramsPagesGoToANewOne) {
  fs::permissions(ProgramFolder(),
                  fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  EXPECT_EQ(Open().RootFolder, std::string(getenv("HOME")) + "/Documents/My Home Pages");
  EXPECT_TRUE(fs::is_directory(Store().RootFolder));
  EXPECT_FALSE(fs::exists(ProgramFolder() + "My Home Pages"));
}

// A copy of the program that the person owns and may write (one they unpacked or built) keeps
// the pages beside itself when there is no documents folder. Run as an ordinary user: as the
// test's own when that is one, else as the other user.
TEST_F(WebManagerTest, WithoutADocumentsFolderAPortableCopyKeepsThePagesBesideItself) {
  const std::string home = getenv("HOME");
  const std::string besideTheProgram = ProgramFolder() + "My Home Pages";
  const auto findsItBesideTheProgram = [&] {
    return TWebManager(ConfigFile(), ProgramFolder()).RootFolder == besideTheProgram ? 0 : 1;
  };
  if (CanActAsOtherUser()) {
    OpenToEveryone(fs::path(home).parent_path().string());
    OpenToEveryone(home);
    OpenToEveryone(std::string(getenv("XDG_CONFIG_HOME")));
    ASSERT_EQ(chown(ProgramFolder().c_str(), kOtherUser, static_cast<gid_t>(-1)), 0);
    EXPECT_EQ(RunAsOtherUser(findsItBesideTheProgram), std::optional<int>(0));
  } else {
    EXPECT_EQ(findsItBesideTheProgram(), 0);
  }
  EXPECT_TRUE(fs::is_directory(besideTheProgram));
  EXPECT_FALSE(fs::exists(home + "/Documents"));
}

}  // namespace
}  // namespace lintavo::test
