#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "pages/TextSubstitution.h"

namespace lintavo::test {
namespace {

using namespace std::string_literals;

TEST(TextSubstitutionTest, TemplateLinesAreJoinedWithCrLfAfterEveryLineAndEndAtTheFirstNul) {
  const struct {
    std::string bytes, text;
  } cases[] = {
      {"", ""},
      {"a", "a\r\n"},
      {"a\r\nb\r\n", "a\r\nb\r\n"},
      {"a\nb", "a\r\nb\r\n"},
      {"a\rb\r", "a\r\nb\r\n"},
      {"a\n\r\nb\r\r", "a\r\n\r\nb\r\n\r\n"},
      {"\r\n", "\r\n"},
      {"a\0b\nc"s, "a\r\n"},
      {"\0abc"s, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TemplateText(c.bytes), c.text) << "for " << ::testing::PrintToString(c.bytes);
  }
}

TEST(TextSubstitutionTest, ReplacementsDoNotRescanTheirOwnOutputAndReplaceFirstStopsAtOne) {
  std::string text = "<RD>X</RD><RD>X</RD>>";
  ReplaceAll(text, "<RD>X</RD>", "<RD>X</RD><RD>X</RD>");
  EXPECT_EQ(text, "<RD>X</RD><RD>X</RD><RD>X</RD><RD>X</RD>>");
  text = "aaa";
  ReplaceAll(text, "aa", "b");
  EXPECT_EQ(text, "ba");
  text = "x=1 x=1";
  ReplaceFirst(text, "x=1", "y");
  EXPECT_EQ(text, "y x=1");
  text = "abc";
  ReplaceAll(text, "", "x");
  ReplaceFirst(text, "", "x");
  EXPECT_EQ(text, "abc") << "an empty placeholder matches nothing";
}

// One replacement of a sequence: ReplaceAll, or ReplaceFirst when `first`.
struct Step {
  std::string placeholder, replacement;
  bool first = false;
};

// The text after `steps`, each done by ReplaceAll or ReplaceFirst on a plain string.
std::string Sequentially(std::string text, const std::vector<Step>& steps) {
  for (const Step& step : steps) {
    (step.first ? ReplaceFirst : ReplaceAll)(text, step.placeholder, step.replacement);
  }
  return text;
}

std::string Marked(const std::string& text, const std::vector<Step>& steps) {
  MarkedText marked(text, "<RD>");
  for (const Step& step : steps) {
    if (step.first) {
      marked.ReplaceFirst(step.placeholder, step.replacement);
    } else {
      marked.ReplaceAll(step.placeholder, step.replacement);
    }
  }
  return marked.Take();
}

// MarkedText finds placeholders only where its marker is, so every way a marker can come into
// being or vanish between steps must give the results of plain replacements.
TEST(TextSubstitutionTest, MarkedTextReplacesExactlyAsPlainReplacementsDo) {
  const struct {
    const char* name;
    std::string text;
    std::vector<Step> steps;
  } cases[] = {
      {"each placeholder once",
       "<p><RD>A</RD>, <RD>B</RD></p>",
       {{"<RD>A</RD>", "1"}, {"<RD>B</RD>", "2"}}},
      {"a placeholder many times, and one missing",
       "<RD>A</RD><RD>A</RD>x<RD>A</RD>",
       {{"<RD>C</RD>", "?"}, {"<RD>A</RD>", "long text"}}},
      {"a replacement that holds a later placeholder",
       "<RD>A</RD>|<RD>B</RD>",
       {{"<RD>A</RD>", "<RD>B</RD><RD>B</RD>"}, {"<RD>B</RD>", "b"}}},
      {"a replacement that holds its own placeholder is not searched again",
       "<RD>A</RD>",
       {{"<RD>A</RD>", "<RD>A</RD>!"}, {"<RD>A</RD>", "a"}}},
      {"a marker made across the end of a replacement",
       "<RD>A</RD>D>B</RD>",
       {{"<RD>A</RD>", "<R"}, {"<RD>B</RD>", "b"}}},
      {"a marker made across the start of a replacement",
       "<R<RD>A</RD>B</RD>",
       {{"<RD>A</RD>", "D>"}, {"<RD>B</RD>", "b"}}},
      {"a marker made across the seam an empty replacement leaves",
       "<R<RD>A</RD>D>B</RD>",
       {{"<RD>A</RD>", ""}, {"<RD>B</RD>", "b"}}},
      {"a placeholder closed by what a replacement leaves",
       "<RD>TAR<RD>X</RD>GET</RD>",
       {{"<RD>X</RD>", ""}, {"<RD>TARGET</RD>", "t"}}},
      {"a marker made from two replacements and the text between",
       "<RD>A</RD>D<RD>B</RD>C</RD>",
       {{"<RD>A</RD>", "<R"}, {"<RD>B</RD>", ">"}, {"<RD>C</RD>", "c"}}},
      {"a marker that ends where a match begins stays",
       "<RD><RD>A</RD>",
       {{"<RD>A</RD>", "B</RD>"}, {"<RD>B</RD>", "b"}}},
      {"a marker lost inside a match",
       "<RD><RD>A</RD>",
       {{"<RD><RD>A</RD>", "x"}, {"<RD>A</RD>", "a"}}},
      {"matches do not overlap", "<RD><RD><RD><RD>", {{"<RD><RD>", "<RD>"}, {"<RD><RD>", "y"}}},
      {"a placeholder without the marker, and one replaced first only",
       "id=1 <RD>A</RD> id=1",
       {{"id=1", "<RD>A</RD>", true}, {"<RD>A</RD>", "a"}, {"id=1", "z"}}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Marked(c.text, c.steps), Sequentially(c.text, c.steps)) << c.name;
  }

  // Short texts of the bytes markers are made of, with replacements of the same bytes: every way
  // of making and breaking markers that fits in a few bytes comes up.
  std::mt19937 random(2003);
  const auto text = [&random](std::size_t maxLength) {
    static constexpr char kBytes[] = "<RD>/Ax";
    std::string made(std::uniform_int_distribution<std::size_t>(0, maxLength)(random), ' ');
    for (char& byte : made) {
      byte = kBytes[std::uniform_int_distribution<std::size_t>(0, sizeof kBytes - 2)(random)];
    }
    return made;
  };
  for (int round = 0; round < 20000; ++round) {
    const std::string start = text(24);
    std::vector<Step> steps;
    for (int i = 0; i < 4; ++i) {
      steps.push_back({"<RD>" + text(4), text(6), random() % 8 == 0});
    }
    ASSERT_EQ(Marked(start, steps), Sequentially(start, steps))
        << "text " << start << " steps " << steps[0].placeholder << " " << steps[0].replacement
        << ", " << steps[1].placeholder << " " << steps[1].replacement << ", "
        << steps[2].placeholder << " " << steps[2].replacement << ", " << steps[3].placeholder
        << " " << steps[3].replacement;
  }
}

}  // namespace
}  // namespace lintavo::test
