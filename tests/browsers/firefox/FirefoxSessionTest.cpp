#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "browsers/firefox/FirefoxSession.h"
#include "browsers/firefox/MozLz4.h"
#include "support/DescribedWindows.h"
#include "support/TestEnvironment.h"

namespace lintavo {
namespace {

using browsers::FirefoxSessionTabs;
using test::Described;
using testing::ElementsAre;

std::vector<std::string> TabsOf(const std::string& json) {
  const auto tabs = FirefoxSessionTabs(json);
  EXPECT_TRUE(tabs.has_value()) << json;
  return tabs ? Described(*tabs) : std::vector<std::string>{"(not read)"};
}

// One window with the given tabs, each a JSON object.
std::string WindowOfTabs(const std::string& tabs) {
  return R"({"windows":[{"tabs":[)" + tabs + "]}]}";
}

// Firefox 153 ESR with three tabs, the first having gone back from second.html to first.html
// (tests/fixtures/browsers/README.md).
TEST(FirefoxSessionTest, ListsTheTabsOfTheSessionFirefoxWrote) {
  const auto json = browsers::DecodeMozLz4(
      test::ReadFileBytes(test::FixturePath("browsers/firefox-esr/recovery.jsonlz4")), 1 << 20);
  ASSERT_TRUE(json.has_value());

  EXPECT_THAT(TabsOf(*json), ElementsAre("file:///tmp/lintavo-pages/first.html",
                                         "file:///tmp/lintavo-pages/plain.html",
                                         "file:///tmp/lintavo-pages/plain.html?tab=3#caf%C3%A9"));
}

// Which entry of a tab is shown, and whether a document is loaded in it.
TEST(FirefoxSessionTest, EachTabShowsItsCurrentEntry) {
  const std::string history = R"("entries":[{"url":"file:///1"},{"url":"file:///2"},)"
                              R"({"url":"file:///3"}])";
  const struct {
    const char* name;
    std::string tab;
    const char* shown;
  } cases[] = {
      {"index 1 is the first entry", "{" + history + R"(,"index":1})", "file:///1"},
      {"index 2", "{" + history + R"(,"index":2})", "file:///2"},
      {"the index may come first", R"({"index":2,)" + history + "}", "file:///2"},
      {"no index: the last entry", "{" + history + "}", "file:///3"},
      {"index 0: the last entry", "{" + history + R"(,"index":0})", "file:///3"},
      {"an index past the end: the last entry", "{" + history + R"(,"index":99})", "file:///3"},
      {"a huge index: the last entry", "{" + history + R"(,"index":18446744073709551615})",
       "file:///3"},
      {"a negative index: the first entry", "{" + history + R"(,"index":-5})", "file:///1"},
      {"an index that is no integer counts as none", "{" + history + R"(,"index":"1"})",
       "file:///3"},
      {"a fractional index counts as none", "{" + history + R"(,"index":1.5})", "file:///3"},
      {"escapes in the URL are decoded to UTF-8",
       R"({"entries":[{"url":"file:///tmp/caf\u00e9 \"x\".html"}]})",
       "file:///tmp/caf\xc3\xa9 \"x\".html"},
      {"other fields of an entry are passed over",
       R"({"entries":[{"title":"t","children":[{"url":"file:///frame"}],"url":"file:///page",)"
       R"("ID":3}],"index":1})",
       "file:///page"},
      {"no entries yet: no location, no document", R"({"entries":[]})", " (no document)"},
      {"entries that are no list", R"({"entries":{"url":"file:///1"}})", " (no document)"},
      {"an entry without a URL", R"({"entries":[{"title":"t"}]})", " (no document)"},
      {"a URL that is no text", R"({"entries":[{"url":7}]})", " (no document)"},
      {"a blank tab loading a typed address has no document yet",
       R"({"entries":[{"url":"about:blank"}],"userTypedValue":"http://example.org/"})",
       "about:blank (no document)"},
      {"a blank tab that is loading nothing has its document",
       R"({"entries":[{"url":"about:blank"}],"userTypedValue":""})", "about:blank"},
      {"a typed address over a loaded page leaves its document",
       R"({"entries":[{"url":"file:///1"}],"userTypedValue":"http://example.org/"})", "file:///1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_THAT(TabsOf(WindowOfTabs(c.tab)), ElementsAre(c.shown));
  }
}

TEST(FirefoxSessionTest, ListsTheTabsOfEveryOpenWindowInOrder) {
  const std::string json = R"({
    "version": ["sessionrestore", 1],
    "windows": [
      {"tabs": [{"entries": [{"url": "file:///w1t1"}]}, {"entries": [{"url": "file:///w1t2"}]}],
       "_closedTabs": [{"state": {"entries": [{"url": "file:///closed-tab"}]}}],
       "selected": 2},
      {"tabs": [{"entries": [{"url": "file:///w2t1"}]}]},
      {"tabs": []},
      {"popup": true}
    ],
    "_closedWindows": [{"tabs": [{"entries": [{"url": "file:///closed-window"}]}]}],
    "session": {"lastUpdate": 1796876808643}
  })";

  EXPECT_THAT(TabsOf(json), ElementsAre("file:///w1t1", "file:///w1t2", "file:///w2t1"));
}

// JSON in another shape than Firefox writes lists what can be found where Firefox puts it.
TEST(FirefoxSessionTest, JsonWithoutTheExpectedFieldsListsNoTabs) {
  const std::string deep = std::string(100'000, '[') + std::string(100'000, ']');
  for (const std::string& json : {
           std::string(R"({})"),
           std::string(R"([])"),
           std::string(R"("windows")"),
           std::string(R"({"windows":{}})"),
           std::string(R"({"windows":[1,"x",null,[]]})"),
           std::string(R"({"windows":[{"tabs":"x"}]})"),
           std::string(R"({"windows":[{"tabs":[1,[{"entries":[{"url":"file:///a"}]}]]}]})"),
           std::string(R"({"session":{"windows":[{"tabs":[{"entries":[]}]}]}})"),
           std::string(R"({"windows":[{"tabs":[]}],"deep":)") + deep + "}",
       }) {
    SCOPED_TRACE(json.substr(0, 80));
    EXPECT_THAT(TabsOf(json), ElementsAre());
  }
}

// Firefox replaces the file as it runs; a file caught half-written, or not JSON at all, is not
// used.
TEST(FirefoxSessionTest, TextThatIsNotJsonGivesNothing) {
  const std::string whole = WindowOfTabs(R"({"entries":[{"url":"file:///a"}]})");
  for (const std::string& text : {
           std::string(),
           whole.substr(0, whole.size() - 1),
           whole.substr(0, whole.size() / 2),
           whole + "x",
           whole + whole,
           WindowOfTabs("{\"entries\":[{\"url\":\"file:///\xff\"}]}"),
           std::string("{\"windows\":[]}\0", 15),
           std::string("{\"windows\":[]}\0garbage", 22),
       }) {
    SCOPED_TRACE(text.substr(0, 80));
    EXPECT_EQ(FirefoxSessionTabs(text), std::nullopt);
  }
}

}  // namespace
}  // namespace lintavo
