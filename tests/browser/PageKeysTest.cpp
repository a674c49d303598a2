#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "browser/BrowserSuite.h"
#include "browser/KeysTestPages.h"
#include "browser/PageBrowser.h"
#include "pages/PageFiles.h"
#include "support/TestEnvironment.h"

// The keys of the generated pages, in the real browsers people open them in: Debian's chromium and
// firefox-esr, headless, each driven through its own remote protocol with key presses as a
// person's. The pages come from the installed template through the program's own page
// generation (see KeysTestPages).
//
// When LINTAVO_PAGE_PICTURES names a folder, the tests also leave there pictures of a filtered
// page over each stock background, for a person to look at; nothing checks them.

namespace lintavo {
namespace {

using testing::ElementsAreArray;

// The targets of the page's links in reading order, as KeysTestPages::TargetOf names them: the
// tiles of KeysTestPages.
const std::vector<std::string> kAllLinks = {"news.htm", "mail.htm", "forecast.htm", "homes.htm",
                                            "qa.htm?x=1&y=2"};

// What Tab reaches on a page, in order: the navigation's ten links, the filter box (when the
// page's script runs) and the tiles.
std::vector<std::string> TabOrder(bool withFilterBox) {
  std::vector<std::string> order;
  for (int n = 1; n <= kPageCount; ++n) {
    order.push_back(PageFileName(n));
  }
  if (withFilterBox) {
    order.push_back("filter");
  }
  order.insert(order.end(), kAllLinks.begin(), kAllLinks.end());
  return order;
}

// The browser's command without what a test name cannot hold: "firefoxesr".
std::string Identifier(const std::string& command) {
  std::string name;
  for (const char character : command) {
    if (std::isalnum(static_cast<unsigned char>(character))) {
      name += character;
    }
  }
  return name;
}

// Every test begins by opening a page, which leaves nothing of the test before it.
class PageKeysTest : public test::BrowserSuite<test::KeysTestPages> {
 protected:
  void Open(int page) { Browser().Open(Pages().PageUrl(page)); }

  // Where the tab is once it shows the page at `url`, or the last place seen.
  std::string LocationOnceItIs(const std::string& url) { return Browser().LocationOnceItIs(url); }

  // What has the keyboard's focus: "filter" for the filter box, a link's target, or "none".
  std::string Focused() {
    return Pages().TargetOf(
        Browser()
            .Evaluate("[null, document.body].includes(document.activeElement) ? 'none' :"
                      " document.activeElement.id || document.activeElement.getAttribute('href')")
            .get<std::string>());
  }

  std::string FilterText() {
    return Browser().Evaluate("document.getElementById('filter').value").get<std::string>();
  }

  // The targets of the grid's links that are not faded out, in reading order.
  std::vector<std::string> LinksLeft() {
    std::vector<std::string> targets =
        Browser()
            .Evaluate(
                "[...document.querySelectorAll('td a')]"
                ".filter(link => link.textContent !== '' && getComputedStyle(link).opacity === '1')"
                ".map(link => link.getAttribute('href'))")
            .get<std::vector<std::string>>();
    for (std::string& target : targets) {
      target = Pages().TargetOf(target);
    }
    return targets;
  }

  // The focus ring the page draws around what has the focus: its outline style and width.
  std::string FocusRing() {
    return Browser()
        .Evaluate(
            "(style => style.outlineStyle + ' ' + style.outlineWidth)"
            "(getComputedStyle(document.activeElement))")
        .get<std::string>();
  }

  // Presses Tab once for each of `order` and expects it to reach that, with the page's ring.
  void ExpectTabReaches(const std::vector<std::string>& order) {
    for (const std::string& expected : order) {
      Browser().Press("Tab");
      ASSERT_EQ(Focused(), expected);
      EXPECT_EQ(FocusRing(), "solid 3px") << expected;
    }
  }

  void TakePicture(const std::string& name) {
    if (const char* folder = std::getenv("LINTAVO_PAGE_PICTURES")) {
      test::WriteFileBytes(
          std::string(folder) + "/" + name + "-" + Identifier(GetParam().command) + ".png",
          Browser().Screenshot());
    }
  }
};

TEST_P(PageKeysTest, SlashThenTextFadesTheLinksWhoseCaptionAndTargetLackIt) {
  struct FilterCase {
    const char* typed;
    std::vector<std::string> left;
  };
  const FilterCase cases[] = {
      {"e", {"news.htm", "forecast.htm", "homes.htm"}},
      {"WEA", {"forecast.htm"}},     // case does not count
      {"work", {"mail.htm"}},        // the second caption line
      {"homes", {"homes.htm"}},      // the target
      {"x=1", {"qa.htm?x=1&y=2"}},   // the target, as written
      {"bold", {"qa.htm?x=1&y=2"}},  // a caption that reads like markup
      {"ilwo", {}},                  // no match runs across the two lines,
      {"tatehomes", {}},             // nor from the caption into the target
      {"ghost", {}},                 // a cell without a caption is no link
  };
  Open(1);
  ASSERT_THAT(LinksLeft(), ElementsAreArray(kAllLinks));
  for (const FilterCase& filter : cases) {
    SCOPED_TRACE(std::string("typed: ") + filter.typed);
    Browser().Press("/");
    EXPECT_EQ(Focused(), "filter");
    Browser().Type(filter.typed);
    EXPECT_EQ(FilterText(), filter.typed);
    EXPECT_THAT(LinksLeft(), ElementsAreArray(filter.left));

    // Escape clears the filter and leaves the box.
    Browser().Press("Escape");
    EXPECT_EQ(FilterText(), "");
    EXPECT_EQ(Focused(), "none");
    EXPECT_THAT(LinksLeft(), ElementsAreArray(kAllLinks));
  }
}

TEST_P(PageKeysTest, EnterInTheFilterOpensTheFirstLinkLeftInTheSameTab) {
  Open(1);
  Browser().Press("/");
  Browser().Type("ea");  // "Weather" and "Real estate", in that order
  Browser().Press("Enter");
  EXPECT_EQ(LocationOnceItIs(Pages().LinkUrl("forecast.htm")), Pages().LinkUrl("forecast.htm"));

  // A letter typed while nothing has the focus starts the filter with that letter.
  Open(1);
  Browser().Type("real");
  EXPECT_EQ(Focused(), "filter");
  EXPECT_EQ(FilterText(), "real");
  Browser().Press("Enter");
  EXPECT_EQ(LocationOnceItIs(Pages().LinkUrl("homes.htm")), Pages().LinkUrl("homes.htm"));

  // In the box, a digit is text to look for rather than a page ("=2" alone, as every link's
  // address holds a 2).
  Open(1);
  Browser().Type("/=2");
  EXPECT_EQ(FilterText(), "=2");
  Browser().Press("Enter");
  EXPECT_EQ(LocationOnceItIs(Pages().LinkUrl("qa.htm?x=1&y=2")), Pages().LinkUrl("qa.htm?x=1&y=2"));
}

TEST_P(PageKeysTest, NumberKeysOpenPagesOneToTen) {
  Open(1);
  Browser().Press("2");
  EXPECT_EQ(LocationOnceItIs(Pages().PageUrl(2)), Pages().PageUrl(2));
  Browser().Press("0");
  EXPECT_EQ(LocationOnceItIs(Pages().PageUrl(10)), Pages().PageUrl(10));

  // Once Escape has left the filter box, the number keys are the pages' again.
  Browser().Type("/x");
  Browser().Press("Escape");
  Browser().Press("9");
  EXPECT_EQ(LocationOnceItIs(Pages().PageUrl(9)), Pages().PageUrl(9));
}

TEST_P(PageKeysTest, TabReachesEveryLinkInReadingOrderWithAVisibleRing) {
  Open(1);
  ASSERT_NO_FATAL_FAILURE(ExpectTabReaches(TabOrder(true)));
  // Enter opens the link that has the focus.
  Browser().Press("Enter");
  EXPECT_EQ(LocationOnceItIs(Pages().LinkUrl(kAllLinks.back())), Pages().LinkUrl(kAllLinks.back()));

  // With a filter typed, Tab passes the faded links by; the same over the white picture.
  for (const auto& [page, picture] : {std::pair{1, "black"}, std::pair{2, "white"}}) {
    SCOPED_TRACE(std::string("over the ") + picture + " picture");
    Open(page);
    Browser().Type("/e");
    EXPECT_EQ(FocusRing(), "solid 3px");
    TakePicture(std::string("typed-over-") + picture);
    Browser().Press("Tab");
    EXPECT_EQ(Focused(), "news.htm");
    EXPECT_EQ(FocusRing(), "solid 3px");
    TakePicture(std::string("tabbed-over-") + picture);
    Browser().Press("Tab");
    EXPECT_EQ(Focused(), "forecast.htm");
  }
}

TEST_P(PageKeysTest, WithoutItsScriptThePageShowsAndOpensEveryLink) {
  if (!Browser().EnableScripts(false)) {
    GTEST_SKIP() << GetParam().command
                 << "'s remote protocol cannot switch a page's scripts off (no "
                    "emulation.setScriptingEnabled in its WebDriver BiDi); Chromium checks this";
  }
  // The browser goes on with the suite's other tests.
  const std::unique_ptr<test::PageBrowser, void (*)(test::PageBrowser*)> scriptsBackOn(
      &Browser(), [](test::PageBrowser* browser) { browser->EnableScripts(true); });
  Open(1);
  // No filter box, every link shown, and Tab reaches each of them.
  EXPECT_EQ(Browser()
                .Evaluate("getComputedStyle(document.getElementById('filter')).display")
                .get<std::string>(),
            "none");
  EXPECT_THAT(LinksLeft(), ElementsAreArray(kAllLinks));
  ASSERT_NO_FATAL_FAILURE(ExpectTabReaches(TabOrder(false)));
  Browser().Press("Enter");
  EXPECT_EQ(LocationOnceItIs(Pages().LinkUrl(kAllLinks.back())), Pages().LinkUrl(kAllLinks.back()));
}

INSTANTIATE_TEST_SUITE_P(Chromium, PageKeysTest, testing::Values(test::kChromium), test::Headless);
INSTANTIATE_TEST_SUITE_P(FirefoxEsr, PageKeysTest, testing::Values(test::kFirefoxEsr),
                         test::Headless);

}  // namespace
}  // namespace lintavo
