#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "browsers/firefox/FirefoxPrefs.h"

// Firefox's preference files as Firefox's parser reads them, and rewritten so that only the
// statements of the preferences set change.

namespace lintavo::browsers {
namespace {

using testing::ElementsAre;
using testing::Optional;

const std::vector<UserPref> kHomePage = {{"browser.startup.homepage", "\"file:///p/a.htm\""},
                                         {"browser.startup.page", "1"}};

std::vector<std::string> Names(std::string_view text) {
  std::vector<std::string> names;
  if (const auto statements = ParsePrefStatements(text)) {
    for (const auto& statement : *statements) {
      names.push_back(statement.name);
    }
  }
  return names;
}

TEST(FirefoxPrefsTest, ReadsStatementsAsFirefoxDoes) {
  const std::string text =
      "# Mozilla User Preferences\n"
      "/* a comment with user_pref(\"in.comment\", 1); over\n lines */\n"
      "user_pref(\"a\", \"it's \\\"x\\\" \\\\ \\n\\x41\\u00e9\\ud83d\\ude00\");\r\n"
      "user_pref( 'b' ,\t-2147483648 ) ;// trailing\r"
      "pref(\"c\", true); sticky_pref(\"d\", false);\n"
      "user_pref(\"e\",\n  +7\n);\n"
      "user_pref(\"f\", \"a // b ; c\");";
  const auto statements = ParsePrefStatements(text);
  ASSERT_TRUE(statements);
  ASSERT_EQ(statements->size(), 6u);
  EXPECT_THAT(Names(text), ElementsAre("a", "b", "c", "d", "e", "f"));
  const auto& a = (*statements)[0];
  EXPECT_TRUE(a.user);
  EXPECT_EQ(std::get<std::string>(a.value), "it's \"x\" \\ \nA\xC3\xA9\xF0\x9F\x98\x80");
  EXPECT_EQ(text.substr(a.begin, a.end - a.begin).back(), ';');
  EXPECT_EQ(std::get<std::int32_t>((*statements)[1].value), -2147483647 - 1);
  EXPECT_FALSE((*statements)[2].user);
  EXPECT_EQ(std::get<bool>((*statements)[2].value), true);
  EXPECT_EQ(std::get<std::int32_t>((*statements)[4].value), 7);
  EXPECT_EQ(std::get<std::string>((*statements)[5].value), "a // b ; c");
  EXPECT_EQ(LastUserString(*statements, "f"), "a // b ; c");
  EXPECT_EQ(LastUserString(*statements, "b"), std::nullopt) << "an integer is no text";
  EXPECT_EQ(LastUserString(*statements, "c"), std::nullopt) << "a default is no user value";
}

// Each of these makes Firefox report an error and skip a statement: such a file is not rewritten.
TEST(FirefoxPrefsTest, AFileFirefoxFindsAnErrorInIsNotRead) {
  for (const std::string& text : std::vector<std::string>{
           "user_pref(\"a\", 1)\n",                    // no ";"
           "user_pref(\"a\" 1);\n",                    // no ","
           "user_pref(a, 1);\n",                       // a name without quotes
           "user_pref(\"a\", yes);\n",                 // an unknown keyword
           "user_pref(\"a\", 2147483648);\n",          // beyond 32 bits
           "user_pref(\"a\", 12abc);\n",               // letters after digits
           "user_pref(\"a\", \"open);\n",              // an open string
           "user_pref(\"a\", \"\\x00\");\n",           // an escaped NUL
           "user_pref(\"a\", \"\\q\");\n",             // an unknown escape
           "user_pref(\"a\", \"\\ud800\");\n",         // a lone surrogate
           "user_pref(\"a\", 1, locked);\n",           // an attribute, in a user file
           "/* open comment\nuser_pref(\"a\", 1);\n",  // swallows the rest
           "user_pref(\"a\", 1); / \n",                // a lone slash
           "user_pref(\"a\", 1);\n@\n",                // a stray character
           std::string("user_pref(\"a\", 1);\n// \0 NUL\n", 26),
       }) {
    EXPECT_FALSE(ParsePrefStatements(text)) << text;
    EXPECT_FALSE(WithUserPrefs(text, kHomePage)) << text;
  }
  EXPECT_TRUE(ParsePrefStatements(""));
  EXPECT_TRUE(ParsePrefStatements("  \n// only a comment"));
}

TEST(FirefoxPrefsTest, SettingPrefsReplacesTheirStatementsAndKeepsEveryOtherByte) {
  struct Case {
    const char* name;
    std::string before;
    std::string after;
  };
  const std::string home = "user_pref(\"browser.startup.homepage\", \"file:///p/a.htm\");";
  const std::string page = "user_pref(\"browser.startup.page\", 1);";
  const Case cases[] = {
      {"an empty file gets both lines", "", home + "\n" + page + "\n"},
      {"both replaced in place, the lines between kept",
       "# head\nuser_pref(\"browser.startup.homepage\", \"about:home\");\n"
       "user_pref(\"x\", 1);\nuser_pref(\"browser.startup.page\", 3);\n",
       "# head\n" + home + "\nuser_pref(\"x\", 1);\n" + page + "\n"},
      {"CR LF kept, a missing line added with CR LF",
       "user_pref(\"x\", 1);\r\nuser_pref('browser.startup.page', 3);\r\n",
       "user_pref(\"x\", 1);\r\n" + page + "\r\n" + home + "\r\n"},
      {"lone CR line breaks", "user_pref(\"x\", 1);\r",
       "user_pref(\"x\", 1);\r" + home + "\r" + page + "\r"},
      {"single quotes, blanks and a statement over lines",
       "user_pref( 'browser.startup.homepage' ,\n 'old' ) ; // mine\n",
       home + " // mine\n" + page + "\n"},
      {"two statements on a line: only ours changes",
       "user_pref(\"a\", 1); user_pref(\"browser.startup.page\", 3); user_pref(\"b\", 2);\n",
       "user_pref(\"a\", 1); " + page + " user_pref(\"b\", 2);\n" + home + "\n"},
      {"commented out and in strings: not statements",
       "// user_pref(\"browser.startup.page\", 3);\n/* user_pref(\"browser.startup.homepage\", "
       "\"x\"); */\nuser_pref(\"note\", \"user_pref('browser.startup.page', 3);\");\n",
       "// user_pref(\"browser.startup.page\", 3);\n/* user_pref(\"browser.startup.homepage\", "
       "\"x\"); */\nuser_pref(\"note\", \"user_pref('browser.startup.page', 3);\");\n" +
           home + "\n" + page + "\n"},
      {"a default of the same name stays; the user value is added",
       "pref(\"browser.startup.page\", 3);\n",
       "pref(\"browser.startup.page\", 3);\n" + home + "\n" + page + "\n"},
      {"a last line without a break, ending in a comment, is ended first",
       "user_pref(\"x\", 1); // the end",
       "user_pref(\"x\", 1); // the end\n" + home + "\n" + page + "\n"},
      {"every statement of a name is replaced",
       "user_pref(\"browser.startup.page\", 3);\nuser_pref(\"browser.startup.page\", 0);\n",
       page + "\n" + page + "\n" + home + "\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto after = WithUserPrefs(c.before, kHomePage);
    ASSERT_TRUE(after);
    EXPECT_EQ(*after, c.after);
    // Setting them again changes nothing.
    EXPECT_THAT(WithUserPrefs(*after, kHomePage), Optional(*after));
    const auto statements = ParsePrefStatements(*after);
    ASSERT_TRUE(statements);
    EXPECT_EQ(LastUserString(*statements, "browser.startup.homepage"), "file:///p/a.htm");
  }
}

TEST(FirefoxPrefsTest, LiteralsReadBackExactly) {
  for (const std::string& text :
       {std::string(), std::string("plain"), std::string("\"quoted\" and 'single' \\ back"),
        std::string("line\nbreak\rand\ttab\x7f"), std::string("caf\xC3\xA9 \xFF raw byte")}) {
    const std::string literal = PrefStringLiteral(text);
    EXPECT_EQ(literal.find_first_of("\r\n"), std::string::npos) << "one line";
    EXPECT_THAT(ParsePrefLiteral(literal), Optional(PrefValue(text)));
    const auto statements = ParsePrefStatements("user_pref(\"s\", " + literal + ");");
    ASSERT_TRUE(statements);
    EXPECT_EQ(LastUserString(*statements, "s"), text);
  }
  for (const PrefValue& value : {PrefValue(0), PrefValue(-2147483647 - 1), PrefValue(2147483647),
                                 PrefValue(true), PrefValue(false), PrefValue(std::string("3"))}) {
    EXPECT_THAT(ParsePrefLiteral(PrefLiteral(value)), Optional(value)) << PrefLiteral(value);
  }
  EXPECT_EQ(PrefLiteral(PrefValue(-5)), "-5");
  EXPECT_THAT(ParsePrefLiteral("'single'"), Optional(PrefValue(std::string("single"))));
  EXPECT_THAT(ParsePrefLiteral("+7"), Optional(PrefValue(7)));
  for (const char* notOne : {"", "none", "\"a\" trailing", " 1", "1 ", "1;", "/* c */ 1",
                             "2147483648", "\"open", "1, 2"}) {
    EXPECT_FALSE(ParsePrefLiteral(notOne)) << notOne;
  }
}

}  // namespace
}  // namespace lintavo::browsers
