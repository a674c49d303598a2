#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "base/Failure.h"
#include "pages/ColorText.h"

namespace lintavo::test {
namespace {

using ::testing::ThrowsMessage;

TEST(ColorTextTest, HtmlColourTextsConvertToTheBoxLayoutAndBack) {
  const struct {
    const char* text;
    ColorValue value;
    const char* back;
  } cases[] = {
      {"#FFFFFF", 0x00FFFFFF, "#FFFFFF"},
      {"#FFFF00", 0x0000FFFF, "#FFFF00"},
      {"#0000FF", 0x00FF0000, "#0000FF"},
      {"#000000", 0, "#000000"},
      {"#1A2B3C", 0x003C2B1A, "#1A2B3C"},
      {"#abcdef", 0x00EFCDAB, "#ABCDEF"},
      {"", 0, "#000000"},
      // Every "#" goes, wherever it stands; only six characters count after that.
      {"##1#2#3456", 0x00563412, "#123456"},
      {"123456789", 0x00563412, "#123456"},
      // Short texts give short pieces: "FFF" is red FF, green F, blue nothing.
      {"#FFF", 0x00000FFF, "#FF0F00"},
      {"#F", 0x0000000F, "#0F0000"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(HtmlToColor(c.text), c.value);
    EXPECT_EQ(ColorToHtml(HtmlToColor(c.text)), c.back);
  }
}

TEST(ColorTextTest, TheTopByteIsDroppedSoSystemColourNumbersAreNotResolved) {
  EXPECT_EQ(ColorToHtml(0xFF00000F), "#0F0000");
  EXPECT_EQ(ColorToHtml(0x80FFFFFF), "#FFFFFF");
}

TEST(ColorTextTest, NonHexadecimalPiecesAreRejectedQuotingTheBuiltText) {
  const struct {
    const char* text;
    const char* message;
  } cases[] = {
      {"#GG0000", "'$000000GG' is not a valid integer value"},
      {"red", "'$00dre' is not a valid integer value"},
      {"# FF", "'$00F F' is not a valid integer value"},
      {"-1", "'$00-1' is not a valid integer value"},
  };
  for (const auto& c : cases) {
    EXPECT_THAT([&] { HtmlToColor(c.text); }, ThrowsMessage<Failure>(c.message));
  }
}

}  // namespace
}  // namespace lintavo::test
