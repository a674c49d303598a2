#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "browsers/HomePageRecord.h"

// The record of what setting the home page replaced in a profile, and how later runs keep the
// person's own values in it.

namespace lintavo::browsers {
namespace {

bool SameText(std::string_view a, std::string_view b) {
  return a == b;
}

// The stored form is what a later undo reads: each value as the browser's file had it.
TEST(HomePageRecordTest, IsStoredAsJsonWithEachValueAsTheFileHadIt) {
  const HomePageRecord record{"prefs.js",
                              {{"browser.startup.homepage", "\"a|b\"", "\"file:///p.htm\""},
                               {"browser.startup.page", std::nullopt, "1"}}};
  const auto text = HomePageRecordText(record);
  ASSERT_TRUE(text);
  EXPECT_EQ(*text,
            "{\n"
            "  \"file\": \"prefs.js\",\n"
            "  \"preferences\": [\n"
            "    {\n"
            "      \"name\": \"browser.startup.homepage\",\n"
            "      \"before\": \"\\\"a|b\\\"\",\n"
            "      \"set\": \"\\\"file:///p.htm\\\"\"\n"
            "    },\n"
            "    {\n"
            "      \"name\": \"browser.startup.page\",\n"
            "      \"before\": null,\n"
            "      \"set\": \"1\"\n"
            "    }\n"
            "  ]\n"
            "}\n");
  EXPECT_EQ(ParseHomePageRecord(*text), record);

  EXPECT_FALSE(HomePageRecordText({"prefs.js", {{"a", "\"\xFF\"", "1"}}}))
      << "no UTF-8: JSON cannot carry it";
  for (const char* notOne :
       {"", "[]", "{\"file\": \"prefs.js\"}", "{\"file\": 1, \"preferences\": []}",
        "{\"file\": \"x\", \"preferences\": [{\"name\": \"a\", \"set\": \"1\"}]}",
        "{\"file\": \"x\", \"preferences\": [{\"name\": \"a\", \"before\": 1, "
        "\"set\": \"1\"}]}"}) {
    EXPECT_FALSE(ParseHomePageRecord(notOne)) << notOne;
  }
}

TEST(HomePageRecordTest, LaterRunsKeepThePersonsValuesWhileTheFileHoldsWhatWasSet) {
  const HomePageRecord earlier{"prefs.js",
                               {{"home", "\"theirs\"", "\"ours\""}, {"page", "0", "1"}}};
  struct Case {
    const char* name;
    std::optional<HomePageRecord> earlier;
    std::vector<PrefChange> changes;
    std::vector<RecordedPref> expected;
  };
  const Case cases[] = {
      {"first run",
       std::nullopt,
       {{"home", "\"theirs\"", "\"ours\""}, {"page", std::nullopt, "1"}},
       {{"home", "\"theirs\"", "\"ours\""}, {"page", std::nullopt, "1"}}},
      {"again, the file holding what was set",
       earlier,
       {{"home", "\"ours\"", "\"ours\""}, {"page", "1", "1"}},
       earlier.prefs},
      {"again with another page",
       earlier,
       {{"home", "\"ours\"", "\"other\""}, {"page", "1", "1"}},
       {{"home", "\"theirs\"", "\"other\""}, {"page", "0", "1"}}},
      {"the person chose values of their own since",
       earlier,
       {{"home", "\"mine\"", "\"ours\""}, {"page", std::nullopt, "1"}},
       {{"home", "\"mine\"", "\"ours\""}, {"page", std::nullopt, "1"}}},
      {"left this time, and still what was set: kept",
       earlier,
       {{"home", "\"ours\"", "\"ours\""}, {"page", "1", std::nullopt}},
       earlier.prefs},
      {"left this time, and the person's own since: gone",
       earlier,
       {{"home", "\"ours\"", "\"ours\""}, {"page", "3", std::nullopt}},
       {{"home", "\"theirs\"", "\"ours\""}}},
      {"a record of another file counts for nothing",
       HomePageRecord{"Preferences", earlier.prefs},
       {{"home", "\"ours\"", "\"ours\""}, {"page", "1", std::nullopt}},
       {{"home", "\"ours\"", "\"ours\""}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(HomePageRecordAfter(c.earlier, "prefs.js", c.changes, SameText),
              (HomePageRecord{"prefs.js", c.expected}));
  }
}

}  // namespace
}  // namespace lintavo::browsers
