#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "browser/BrowserSuite.h"
#include "browser/PageBrowser.h"
#include "os/ProfileFile.h"
#include "pages/PageFiles.h"
#include "support/PageStoreFixture.h"
#include "support/TestEnvironment.h"

// Pages made from a settings file with hostile names, captions, targets and colours, as another
// program or a hand may have written it, opened in the real browsers: each value tries to run a
// script (which would set the global `hostile` or change the title), to swallow the cells after
// it, or to add an attribute. None may: the page's own script is the only one, and every value
// shows as it was written.

namespace lintavo {
namespace {

using nlohmann::json;

const std::string kDataFolder = LINTAVO_DATA_DIR;

const std::string kName = "News</title><script>hostile = 'name'; document.title = 'x'</script>";
const std::string kSecondName = "</a></nav><script>hostile = 'page 2'</script>";
const std::string kTextColor = "red;}</style><script>hostile = 'text colour'</script><style>";
const std::string kTitleColor = "yellow;}</style><img src=x onerror=\"hostile = 'title'\"><style>";

// What a refused target is written as: a link to the page itself.
const std::string kNowhere = "#";

struct HostileCell {
  int row, column;
  std::string line1, line2, target;
  std::string href;  // the link's href attribute on the page
};

const std::vector<HostileCell> kCells = {
    {1, 1, "a<b", "Q&A <3", "http://x.example/?a=1&amp;b=2&lt;c&copy=3",
     "http://x.example/?a=1&amp;b=2&lt;c&copy=3"},
    {1, 2, "<!--", "", "javascript:hostile = 'javascript'", kNowhere},
    {1, 3, "<script>", "", "JavaScript:hostile = 'JavaScript'", kNowhere},
    {1, 4, "<plaintext>", "", "  \tjavascript:hostile = 'blanks'", kNowhere},
    {1, 5, "<img src=x onerror=\"hostile = 'img'\">", "",
     "data:text/html,<script>parent.hostile = 'data'</script>", kNowhere},
    {1, 6, "vb", "</td></tr>", "vbscript:hostile = 'vbscript'", kNowhere},
    {1, 7, "quote", "", "https://x.example/\" onfocus=\"hostile = 'quote'\" autofocus x=\"",
     "https://x.example/\" onfocus=\"hostile = 'quote'\" autofocus x=\""},
    {1, 8, "<RD>MSG</RD>", "it's", "ftp://files.example/a b", "ftp://files.example/a b"},
    {2, 1, "Plain", "ab/cd: 1?", "https://example.org/search?q=a-b_c#top",
     "https://example.org/search?q=a-b_c#top"},
    {2, 2, "", "", "news.htm", kNowhere},
    {2, 3, "", "</a><style>", "File:///tmp/a%20b", "File:///tmp/a%20b"},
};

// The ten pages made by the program's own page generation from the installed template and a
// settings file that holds the values above on page 1 (and a hostile name on page 2).
class HostileTestPages {
 public:
  HostileTestPages() {
    ProfileFile settings = ProfileFile::Load(store_.ConfigFile());
    settings.WriteString(PageSection(1), "Name", kName);
    settings.WriteString(PageSection(1), "TextColor", kTextColor);
    settings.WriteString(PageSection(1), "TitleColor", kTitleColor);
    settings.WriteString(PageSection(2), "Name", kSecondName);
    for (const HostileCell& cell : kCells) {
      const std::string key = std::to_string(cell.row) + "-" + std::to_string(cell.column);
      settings.WriteString(PageSection(1), "Caption-" + key + "-1", cell.line1);
      settings.WriteString(PageSection(1), "Caption-" + key + "-2", cell.line2);
      settings.WriteString(PageSection(1), "Target-" + key, cell.target);
    }
    settings.Save();
    store_.PutTemplate(test::ReadFileBytes(kDataFolder + "/template.htm"));
    store_.Open().GeneratePages();
  }

  std::string FirstPageUrl() { return test::FileUrl(store_.PagePath(1)); }

 private:
  test::PageStoreFixture store_;
};

// The tiles' captions as the page shows them, their two lines one under the other (Firefox sets
// the lines of a tile apart by empty ones, which do not count), and their links' href attributes,
// for all 48 cells in reading order.
std::vector<std::string> ExpectedCaptions() {
  std::vector<std::string> captions(kGridCells);
  for (const HostileCell& cell : kCells) {
    const bool twoLines = !cell.line1.empty() && !cell.line2.empty();
    captions[static_cast<std::size_t>(CellIndex(cell.row, cell.column))] =
        cell.line1 + (twoLines ? "\n" : "") + cell.line2;
  }
  return captions;
}

std::vector<std::string> ExpectedHrefs() {
  std::vector<std::string> hrefs(kGridCells);
  for (const HostileCell& cell : kCells) {
    hrefs[static_cast<std::size_t>(CellIndex(cell.row, cell.column))] = cell.href;
  }
  return hrefs;
}

// The cells whose targets are refused, by their place among the page's links.
json RefusedCells() {
  json cells = json::array();
  for (const HostileCell& cell : kCells) {
    if (cell.href == kNowhere) {
      cells.push_back(CellIndex(cell.row, cell.column));
    }
  }
  return cells;
}

class HostilePagesTest : public test::BrowserSuite<HostileTestPages> {};

TEST_P(HostilePagesTest, NoValueRunsScriptOrMakesMarkupAndEachShowsAsWritten) {
  const std::string url = Pages().FirstPageUrl();
  Browser().Open(url);
  const json page = Browser().Evaluate(R"({
      title: document.title,
      heading: document.querySelector('h1').innerText,
      navigation: [...document.querySelectorAll('nav a')].map(link => link.innerText),
      captions: [...document.querySelectorAll('td a')]
          .map(link => link.innerText.replace(/\n+/g, '\n')),
      hrefs: [...document.querySelectorAll('td a')].map(link => link.getAttribute('href')),
      scripts: document.scripts.length,
      handlers: [...document.querySelectorAll('*')]
          .flatMap(element => [...element.attributes].map(attribute => attribute.name))
          .filter(name => name.startsWith('on') || name === 'autofocus'),
      hostile: typeof hostile,
      textColor: getComputedStyle(document.body).color,
      titleColor: getComputedStyle(document.querySelector('h1')).color,
  })");

  EXPECT_EQ(page["title"], kName);
  EXPECT_EQ(page["heading"], kName);
  std::vector<std::string> names = {kName, kSecondName};
  for (int n = 3; n <= kPageCount; ++n) {
    names.push_back("Home page " + std::to_string(n));
  }
  EXPECT_EQ(page["navigation"], json(names));
  EXPECT_EQ(page["captions"], json(ExpectedCaptions()));
  EXPECT_EQ(page["hrefs"], json(ExpectedHrefs()));
  EXPECT_EQ(page["scripts"], 1) << "the template's own script alone";
  EXPECT_EQ(page["handlers"], json::array());
  EXPECT_EQ(page["hostile"], "undefined");
  // Colours that are no CSS colours give the defaults, white text under a yellow title.
  EXPECT_EQ(page["textColor"], "rgb(255, 255, 255)");
  EXPECT_EQ(page["titleColor"], "rgb(255, 255, 0)");

  // A refused link leads nowhere: following one moves to the page's own "#" at once (a link that
  // goes elsewhere or runs a script would leave the address as it was, or change the page).
  Browser().Evaluate(RefusedCells().dump() +
                     ".forEach(cell => document.querySelectorAll('td a')[cell].click())");
  EXPECT_EQ(Browser().Evaluate("[typeof hostile, location.href, document.title]"),
            json({"undefined", url + kNowhere, kName}));
}

INSTANTIATE_TEST_SUITE_P(Chromium, HostilePagesTest, testing::Values(test::kChromium),
                         test::Headless);
INSTANTIATE_TEST_SUITE_P(FirefoxEsr, HostilePagesTest, testing::Values(test::kFirefoxEsr),
                         test::Headless);

}  // namespace
}  // namespace lintavo
