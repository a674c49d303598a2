#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <optional>
#include <string>

#include "base/Failure.h"
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
    "colspan=\"6\" class=\"white\">Edit this page with Lintavo to change the background and add "
    "links.</td></tr>";

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
  PageData(3).Name = "Three & <b>bold</b>";       // text, not markup
  PageData(4).Name = "Fourth \xc3\xa9t\xc3\xa9";  // UTF-8 text is written unchanged
  PageData(4).TextColor = "#010203";
  PageData(4).TitleColor = "red";
  PageData(4).Targets[CellIndex(2, 7)] = "https://example.org/?q=1&r=2";
  SetCaption(4, 2, 7, "Mail", "work");
  SetCaption(4, 1, 1, "", "only two");
  SetCaption(4, 6, 8, "only one");
  Store().GeneratePages();

  EXPECT_EQ(Page(4),
            "<title>Fourth \xc3\xa9t\xc3\xa9</title>\r\n"
            "<body background=\"background4.bmp\" text=\"#010203\" title=\"red\">\r\n"
            "white:Three &amp; &lt;b&gt;bold&lt;/b&gt; yellow:Fourth \xc3\xa9t\xc3\xa9 white:Home "
            "page 10\r\n"
            "<a href=\"https://example.org/?q=1&amp;r=2\">Mail<br>work</a>|only two|only one\r\n"
            "|<RD>UNKNOWN</RD>|<rd>name</rd>\r\n"
            "\r\n");
  EXPECT_EQ(Page(3),
            "<title>Three &amp; &lt;b&gt;bold&lt;/b&gt;</title>\r\n"
            "<body background=\"background3.bmp\" text=\"#FFFFFF\" title=\"#FFFF00\">\r\n"
            "yellow:Three &amp; &lt;b&gt;bold&lt;/b&gt; white:Fourth \xc3\xa9t\xc3\xa9 white:Home "
            "page 10\r\n"
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

// What a page's name, a caption, a target or a colour may be set to in the settings file, and
// what of it a page shows.
enum class Field { Name, Caption, Target, TextColor, TitleColor };

struct Insertion {
  Field field;
  std::string value;  // for a caption, its first line
  std::string line2;  // for a caption, its second line
  // What the page holds in its place; nothing when it is the very bytes a plain insertion of the
  // text gives, as for text that needs no escaping.
  std::optional<std::string> written;
};

std::string PlainInsertion(const Insertion& insertion) {
  const bool twoLines = !insertion.value.empty() && !insertion.line2.empty();
  return insertion.value + (twoLines ? "<br>" : "") + insertion.line2;
}

// A script that would run, a tag that would swallow the cells after it, a name that would feed a
// later placeholder, an attribute added through a quote, a reference the browser would decode: each
// is written as text. A colour that is no CSS colour gives the page's default one, and a target
// whose scheme the link editor refuses a link to the page itself.
TEST_F(PageGenerationTest, InsertedTextsCannotMakeMarkupAndPlainTextKeepsItsBytes) {
  const Insertion cases[] = {
      {Field::Name, "a<b", "", "a&lt;b"},
      {Field::Name, "News</title><script>document.title='x'</script>", "",
       "News&lt;/title&gt;&lt;script&gt;document.title=&#39;x&#39;&lt;/script&gt;"},
      {Field::Name, "<RD>HOMEPAGE2</RD>", "", "&lt;RD&gt;HOMEPAGE2&lt;/RD&gt;"},
      {Field::Name, "Q&A \"quoted\"", "", "Q&amp;A &quot;quoted&quot;"},
      {Field::Name, "Start page 3: news/a?b=c-d_e#f%20 \xc3\xa9t\xc3\xa9", "", std::nullopt},
      {Field::Name, "M\xfasica \x80 caf\xc3\xa9 \xc3", "",
       "M&#250;sica &#8364; caf\xc3\xa9 &#195;"},
      {Field::Caption, "a<b", "", "a&lt;b"},
      {Field::Caption, "Q&A <3", "", "Q&amp;A &lt;3"},
      {Field::Caption, "<!--", "", "&lt;!--"},
      {Field::Caption, "<script>", "", "&lt;script&gt;"},
      {Field::Caption, "", "<plaintext>", "&lt;plaintext&gt;"},
      {Field::Caption, "it's", "<b>\"x\"</b>", "it&#39;s<br>&lt;b&gt;&quot;x&quot;&lt;/b&gt;"},
      {Field::Caption, "Mail: 1/2", "caf\xc3\xa9 #3", std::nullopt},
      {Field::Caption, "", "100% = ok?", std::nullopt},
      {Field::Target, "http://x.example/?a=1&amp;b=2&lt;c&copy=3", "",
       "http://x.example/?a=1&amp;amp;b=2&amp;lt;c&amp;copy=3"},
      {Field::Target, "https://x.example/\" onfocus=\"document.title='x'\" autofocus \"", "",
       "https://x.example/&quot; onfocus=&quot;document.title=&#39;x&#39;&quot; autofocus &quot;"},
      {Field::Target, "javascript:document.title='x'", "", "#"},
      {Field::Target, "JavaScript:void(0)", "", "#"},
      {Field::Target, "  \t\x01javascript:void(0)", "", "#"},
      {Field::Target, "data:text/html,<script>document.title='x'</script>", "", "#"},
      {Field::Target, "vbscript:msgbox(1)", "", "#"},
      {Field::Target, "mailto:ann@mail.example", "", "#"},
      {Field::Target, "news.htm", "", "#"},
      {Field::Target, "   ", "", "#"},
      {Field::Target, "", "", std::nullopt},
      {Field::Target, "https://www.example.org/search?q=a-b_c#top%20", "", std::nullopt},
      {Field::Target, "  HTTP://X.example/  ", "", std::nullopt},
      {Field::Target, "File:///home/ann/My Links/caf\xc3\xa9", "", std::nullopt},
      {Field::Target, "ftp://files.example/", "", std::nullopt},
      {Field::Target, "ftps://files.example/", "", std::nullopt},
      {Field::TextColor, "red;}</style><script>document.title='x'</script>", "", "#FFFFFF"},
      {Field::TitleColor, "red\" onmouseover=\"x", "", "#FFFF00"},
      {Field::TextColor, "expression(alert(1))", "", "#FFFFFF"},
      {Field::TextColor, "#abcd", "", "#FFFFFF"},
      {Field::TextColor, "#12345g", "", "#FFFFFF"},
      {Field::TitleColor, " red", "", "#FFFF00"},
      {Field::TitleColor, "dark red", "", "#FFFF00"},
      {Field::TitleColor, "", "", "#FFFF00"},
      {Field::TextColor, "#a0B", "", std::nullopt},
      {Field::TextColor, "#A0b1C2", "", std::nullopt},
      {Field::TitleColor, "RebeccaPurple", "", std::nullopt},
      {Field::TitleColor, "yellowgreen", "", std::nullopt},
  };
  PutTemplate(
      "<title><RD>NAME</RD></title>|<RD>HOMEPAGE1</RD>|<RD>FONTCOLOR</RD>|<RD>TITLECOLOR</RD>|"
      "<a href=\"<RD>TARGET11</RD>\"><RD>CAPTION11</RD></a>");
  for (const Insertion& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.value) + " " + ::testing::PrintToString(c.line2));
    TWebPage& page = Open().Pages[0].second;
    std::string name = page.Name;
    std::string textColor = page.TextColor;
    std::string titleColor = page.TitleColor;
    std::string target;
    std::string caption;
    const std::string written = c.written.value_or(PlainInsertion(c));
    switch (c.field) {
      case Field::Name:
        page.Name = c.value;
        name = written;
        break;
      case Field::Caption:
        page.CaptionLines1[0] = c.value;
        page.CaptionLines2[0] = c.line2;
        caption = written;
        break;
      case Field::Target:
        page.Targets[0] = c.value;
        target = written;
        break;
      case Field::TextColor:
        page.TextColor = c.value;
        textColor = written;
        break;
      case Field::TitleColor:
        page.TitleColor = c.value;
        titleColor = written;
        break;
    }
    Store().GeneratePages();
    EXPECT_EQ(Page(1), "<title>" + name + "</title>|" + name + "|" + textColor + "|" + titleColor +
                           "|<a href=\"" + target + "\">" + caption + "</a>\r\n\r\n");
    EXPECT_THAT(Page(2), HasSubstr("</title>|" + name + "|")) << "in page 2's navigation";
  }
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
