#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

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

constexpr std::size_t kNoLimit = std::string::npos;

TEST(TextSubstitutionTest, ReplacementsDoNotRescanTheirOwnOutputAndReplaceFirstStopsAtOne) {
  std::string text = "<RD>X</RD><RD>X</RD>>";
  ReplaceAll(text, "<RD>X</RD>", "<RD>X</RD><RD>X</RD>", kNoLimit);
  EXPECT_EQ(text, "<RD>X</RD><RD>X</RD><RD>X</RD><RD>X</RD>>");
  text = "aaa";
  ReplaceAll(text, "aa", "b", kNoLimit);
  EXPECT_EQ(text, "ba");
  text = "x=1 x=1";
  ReplaceFirst(text, "x=1", "y", kNoLimit);
  EXPECT_EQ(text, "y x=1");
  text = "abc";
  ReplaceAll(text, "", "x", kNoLimit);
  ReplaceFirst(text, "", "x", kNoLimit);
  EXPECT_EQ(text, "abc") << "an empty placeholder matches nothing";
}

TEST(TextSubstitutionTest, AResultLargerThanTheLimitIsRefusedAndTheTextLeftAsItWas) {
  const struct {
    bool all;
    std::size_t limit;
    const char* result;  // nullptr: refused
  } cases[] = {
      {true, 10, "a1234b1234"},
      {true, 9, nullptr},
      {false, 7, "a1234bX"},
      {false, 6, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << (c.all ? "ReplaceAll" : "ReplaceFirst") << " " << c.limit);
    std::string text = "aXbX";
    const auto replace = [&] { (c.all ? ReplaceAll : ReplaceFirst)(text, "X", "1234", c.limit); };
    if (c.result == nullptr) {
      EXPECT_THROW(replace(), std::length_error);
      EXPECT_EQ(text, "aXbX");
    } else {
      replace();
      EXPECT_EQ(text, c.result);
    }
  }
}

}  // namespace
}  // namespace lintavo::test
