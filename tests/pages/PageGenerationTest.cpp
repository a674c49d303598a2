#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "os/Failure.h"
#include "pages/WebManager.h"
#include "support/PageStoreFixture.h"

namespace lintavo::test {
namespace {

using ::testing::ThrowsMessage;

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::Not;
using namespace std::string_literals;

const std::string kMessageRows =
    "<tr valign=\"bottom\"><td colspan=\"6\" class=\"white\"></td></tr><tr valign=\"bottom\"><td "
    "colspan=\"6\" class=\"white\">Edit this page using using the Lintavo to change the background "
    "and add links.</td></tr>";

// One line per column header, so each column's hiding shows on its own line.
std::string ColumnHeaders() {
  std::string text;
  for (int c = 1; c <= 8; ++c) {
    text += "<col id=\"" + std::to_string(c) + "\" width=\"120\">\n";
  }
  return text;
}

std::string HiddenColumns(const std::string& page) {
  std::string hidden;
  for (int c = 1; c <= 8; ++c) {
    if (page.find("<col id=\"" + std::to_string(c) + "\" width=\"120\">") == std::string::npos) {
      hidden += std::to_string(c);
    }
  }
  return hidden;
}

class PageGenerationTest : public ::testing::Test, public PageStoreFixture {
 protected:
  void SetCaption(int page, int row, int column, const std::string& line1,
                  const std::string& line2 = "") {
    PageData(page).CaptionLines1[CellIndex(row, column)] = line1;
    PageData(page).CaptionLines2[CellIndex(row, column)] = line2;
  }
};

TEST_F(PageGenerationTest, EveryPlaceholderIsFilledInAndThePageIsWrittenByteForByte) {
  PutTemplate(
      "<title><RD>NAME</RD></title>\n"
      "<body background=\"<RD>BACKGROUND</RD>\" text=\"<RD>FONTCOLOR</RD>\" "
      "title=\"<RD>TITLECOLOR</RD>\">\n"
      "<RD>OVERCOLOR3</RD>:<RD>HOMEPAGE3</RD> <RD>OVERCOLOR4</RD>:<RD>HOMEPAGE4</RD> "
      "<RD>OVERCOLOR10</RD>:<RD>HOMEPAGE10</RD>\n"
      "<a href=\"<RD>TARGET27</RD>\"><RD>CAPTION27</RD></a>|<RD>CAPTION11</RD>|<RD>CAPTION68</RD>\n"
      "<RD>MSG</RD>|<RD>UNKNOWN</RD>|<rd>name</rd>\n");
  PageData(3).Name = "Three & <b>bold</b>";
  PageData(4).Name = "Fourth \xe9t\xe9";  // 8-bit text is written unchanged
  PageData(4).TextColor = "#010203";
  PageData(4).TitleColor = "red";
  PageData(4).Targets[CellIndex(2, 7)] = "https://example.org/?q=1&r=2";
  SetCaption(4, 2, 7, "Mail", "work");
  SetCaption(4, 1, 1, "", "only two");
  SetCaption(4, 6, 8, "only one");
  Store().GeneratePages();

  EXPECT_EQ(Page(4),
            "<title>Fourth \xe9t\xe9</title>\r\n"
            "<body background=\"background4.bmp\" text=\"#010203\" title=\"red\">\r\n"
            "white:Three & <b>bold</b> yellow:Fourth \xe9t\xe9 white:Home page 10\r\n"
            "<a href=\"https://example.org/?q=1&r=2\">Mail<br>work</a>|only two|only one\r\n"
            "|<RD>UNKNOWN</RD>|<rd>name</rd>\r\n"
            "\r\n");
  EXPECT_EQ(Page(3),
            "<title>Three & <b>bold</b></title>\r\n"
            "<body background=\"background3.bmp\" text=\"#FFFFFF\" title=\"#FFFF00\">\r\n"
            "yellow:Three & <b>bold</b> white:Fourth \xe9t\xe9 white:Home page 10\r\n"
            "<a href=\"\"></a>||\r\n" +
                kMessageRows + "|<RD>UNKNOWN</RD>|<rd>name</rd>\r\n\r\n");
}

TEST_F(PageGenerationTest, ColumnsRightOfTheLastUsedOneAreHiddenAcrossTheWholeRun) {
  PutTemplate(ColumnHeaders() + "<RD>MSG</RD>");
  SetCaption(1, 1, 3, "c3");
  SetCaption(1, 4, 1, "c1");
  SetCaption(2, 6, 5, "", "c5");
  SetCaption(4, 2, 2, "c2");
  PageData(5).Targets[CellIndex(1, 8)] = "target without caption";
  Store().GeneratePages();

  EXPECT_EQ(HiddenColumns(Page(1)), "45678");
  EXPECT_THAT(Page(1), HasSubstr("<col width=\"0\">"));
  EXPECT_EQ(HiddenColumns(Page(2)), "678");
  EXPECT_EQ(HiddenColumns(Page(3)), "678") << "an empty page keeps what earlier pages use";
  EXPECT_THAT(Page(3), HasSubstr(kMessageRows));
  EXPECT_EQ(HiddenColumns(Page(4)), "678") << "column 2 is used, but 5 was used earlier";
  EXPECT_THAT(Page(4), Not(HasSubstr(kMessageRows)));
  EXPECT_EQ(HiddenColumns(Page(5)), "678") << "a target alone does not make a link";
  EXPECT_THAT(Page(5), HasSubstr(kMessageRows));
}

TEST_F(PageGenerationTest, NoColumnIsHiddenUntilSomePageHasACaptionAndOnlyTheFirstFragmentGoes) {
  PutTemplate(ColumnHeaders() + ColumnHeaders());
  SetCaption(2, 1, 7, "seven");
  Store().GeneratePages();
  std::string firstHeaders = ColumnHeaders();
  const std::string columnEight = "id=\"8\" width=\"120\"";
  firstHeaders.replace(firstHeaders.find(columnEight), columnEight.size(), "width=\"0\"");
  const auto withCrLf = [](std::string text) {
    for (auto at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 2)) {
      text.insert(at, "\r");
    }
    return text + "\r\n";
  };
  EXPECT_EQ(Page(1), withCrLf(ColumnHeaders() + ColumnHeaders()));
  EXPECT_EQ(Page(2), withCrLf(firstHeaders + ColumnHeaders()));
}

TEST_F(PageGenerationTest, TextInsertedByAnEarlierStepIsSubjectToEveryLaterStep) {
  PutTemplate("<RD>NAME</RD>|<RD>HOMEPAGE2</RD>|<RD>TARGET11</RD>");
  PageData(1).Name = "x<RD>MSG</RD>y<RD>TARGET11</RD>";
  PageData(2).Name = "<RD>OVERCOLOR1</RD>";
  PageData(1).Targets[0] = "<RD>CAPTION11</RD>";
  SetCaption(1, 1, 1, "cap");
  Store().GeneratePages();
  // NAME puts a TARGET11 placeholder in, which takes the target, whose CAPTION11 takes the
  // caption; MSG goes because the page has a link. HOMEPAGE2 comes after OVERCOLOR1's step.
  EXPECT_EQ(Page(1), "xycap|<RD>OVERCOLOR1</RD>|cap\r\n\r\n");
  // Page 2's own name, put in by NAME, still meets OVERCOLOR1's step.
  EXPECT_EQ(Page(2), "white|<RD>OVERCOLOR1</RD>|\r\n\r\n");
}

TEST_F(PageGenerationTest, LineEndsAreNormalisedAndARepeatedRunGivesIdenticalBytes) {
  const std::string bigLine(5 * 1024 * 1024 / 2, 'z');
  PutTemplate("a\rb\nc\r\nd<RD>NAME</RD>\0ignored\n"s);
  Store().GeneratePages();
  EXPECT_EQ(Page(1), "a\r\nb\r\nc\r\ndHome page 1\r\n\r\n");

  PutTemplate(bigLine + "<RD>NAME</RD>" + bigLine);
  Store().GeneratePages();
  const std::string first = Page(7);
  EXPECT_EQ(first, bigLine + "Home page 7" + bigLine + "\r\n\r\n");
  Store().GeneratePages();
  EXPECT_EQ(Page(7), first);
}

TEST_F(PageGenerationTest, UnchangedPagesAreLeftInPlaceAndChangedOnesReplaced) {
  const auto identity = [this](int n) {
    struct stat info {};
    stat(PagePath(n).c_str(), &info);
    return info.st_ino;
  };
  PutTemplate("<RD>NAME</RD>");
  Store().GeneratePages();
  const auto page1 = identity(1);
  const auto page2 = identity(2);
  PageData(2).Name = "Renamed";
  Store().GeneratePages();
  EXPECT_EQ(identity(1), page1);
  EXPECT_NE(identity(2), page2);
  EXPECT_EQ(Page(2), "Renamed\r\n\r\n");
}

TEST_F(PageGenerationTest, MissingBackgroundsComeFromTheDefaultPictureAndExistingOnesStay) {
  PutTemplate("<RD>BACKGROUND</RD>");
  PutDefaultPicture();
  Store().GeneratePages();
  for (int n = 1; n <= 10; ++n) {
    EXPECT_EQ(ReadFileBytes(BackgroundPath(n)).substr(0, 2), "BM") << n;
  }
  fs::remove(BackgroundPath(3));
  WriteFileBytes(BackgroundPath(5), "chosen by the user");
  Store().GeneratePages();
  EXPECT_EQ(ReadFileBytes(BackgroundPath(3)), ReadFileBytes(BackgroundPath(1)));
  EXPECT_EQ(ReadFileBytes(BackgroundPath(5)), "chosen by the user");
}

TEST_F(PageGenerationTest, WithoutTemplateNothingIsWrittenAndWithoutDefaultPictureNoBackground) {
  PutDefaultPicture();
  Store().GeneratePages();
  EXPECT_TRUE(fs::is_empty(Store().RootFolder));

  fs::remove(ProgramFolder() + "template.jpg");
  PutTemplate("<RD>BACKGROUND</RD>");
  Store().GeneratePages();
  EXPECT_EQ(Page(10), "background10.bmp\r\n\r\n");
  EXPECT_FALSE(fs::exists(BackgroundPath(10)));
}

TEST_F(PageGenerationTest, AnUnreadableTemplateEndsTheRunBeforeAnyPage) {
  // Reading the process's own memory file at offset 0 fails even for root.
  fs::create_symlink("/proc/self/mem", ProgramFolder() + "template.htm");
  EXPECT_THAT([&] { Store().GeneratePages(); },
              ThrowsMessage<Failure>("Cannot open file \"" + ProgramFolder() +
                                     "template.htm\". Input/output error"));
  EXPECT_TRUE(fs::is_empty(Store().RootFolder));
}

TEST_F(PageGenerationTest, APageThatCannotBeCreatedEndsTheRunAtThatPage) {
  PutTemplate("page");
  PutDefaultPicture();
  fs::create_directories(PagePath(3));  // a folder where page 3 belongs
  EXPECT_THAT([&] { Store().GeneratePages(); },
              ThrowsMessage<Failure>(
                  ::testing::StartsWith("Cannot create file \"" + PagePath(3) + "\". ")));
  EXPECT_TRUE(fs::exists(PagePath(2)) && fs::exists(BackgroundPath(2)));
  EXPECT_FALSE(fs::exists(BackgroundPath(3)));
  EXPECT_FALSE(fs::exists(PagePath(4)) || fs::exists(BackgroundPath(4)));
}

TEST_F(PageGenerationTest, AnUndecodableDefaultPictureEndsTheRunAfterTheFirstPage) {
  PutTemplate("page");
  WriteFileBytes(ProgramFolder() + "template.jpg", "not a picture");
  EXPECT_THROW(Store().GeneratePages(), Failure);
  EXPECT_TRUE(fs::exists(PagePath(1)));
  EXPECT_FALSE(fs::exists(BackgroundPath(1)));
  EXPECT_FALSE(fs::exists(PagePath(2)));
}

// Names and links may hold placeholders that later steps expand again. A page whose text would
// grow more than 4 MB beyond the template that way is not written; the others are, and the error
// names the page.
TEST_F(PageGenerationTest, APageThatWouldGrowPastTheLimitIsNotWrittenAndTheOthersAre) {
  PutTemplate("<RD>NAME</RD>:<RD>TARGET11</RD>");
  // Each target brings 100 copies of the next one's placeholder: 10^6 copies of 17 bytes.
  for (int column = 1; column <= 3; ++column) {
    std::string target;
    for (int copy = 0; copy < 100; ++copy) {
      target += "<RD>TARGET1" + std::to_string(column + 1) + "</RD>";
    }
    PageData(3).Targets[CellIndex(1, column)] = target;
  }
  EXPECT_THAT(
      [&] { Store().GeneratePages(); },
      ThrowsMessage<Failure>("Cannot create file \"" + PagePath(3) +
                             "\". The page would be more than 4 MB larger than its template: page "
                             "names or links hold placeholders that repeat other text."));
  EXPECT_FALSE(fs::exists(PagePath(3)));
  for (const int n : {1, 2, 4, 10}) {
    EXPECT_EQ(Page(n), "Home page " + std::to_string(n) + ":\r\n\r\n") << n;
  }
}

TEST_F(PageGenerationTest, NamesThatNameEachOtherFailFastInsteadOfExhaustingMemory) {
  PutTemplate("<RD>NAME</RD><RD>HOMEPAGE1</RD>");
  for (int n = 1; n <= 10; ++n) {
    std::string name;
    for (int copy = 0; copy < 100; ++copy) {
      name += "<RD>HOMEPAGE" + std::to_string(n % 10 + 1) + "</RD>";
    }
    PageData(n).Name = name;
  }
  EXPECT_THAT([&] { Store().GeneratePages(); },
              ThrowsMessage<Failure>(
                  ::testing::StartsWith("Cannot create file \"" + PagePath(1) + "\". ")));
  EXPECT_TRUE(fs::is_empty(Store().RootFolder));
}

TEST_F(PageGenerationTest, ConvertIfMissingConvertsOnlyWhenTheSourceExistsAndTheDestDoesNot) {
  PutDefaultPicture();
  const std::string source = ProgramFolder() + "template.jpg";
  const std::string dest = ProgramFolder() + "out.bmp";
  TWebManager::ConvertIfMissing(ProgramFolder() + "missing.jpg", dest);
  EXPECT_FALSE(fs::exists(dest));
  TWebManager::ConvertIfMissing(source, dest);
  EXPECT_EQ(ReadFileBytes(dest).substr(0, 2), "BM");
  WriteFileBytes(dest, "kept");
  TWebManager::ConvertIfMissing(source, dest);
  EXPECT_EQ(ReadFileBytes(dest), "kept");
}

}  // namespace
}  // namespace lintavo::test
