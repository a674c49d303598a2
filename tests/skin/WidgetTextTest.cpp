#include <gtest/gtest.h>

#include <QString>
#include <string>

#include "skin/WidgetText.h"

namespace lintavo::test {
namespace {

using namespace std::string_literals;

// Bytes as a settings file holds them, and the text a widget shows for them (written in UTF-8).
struct Shown {
  const char* name;
  std::string bytes;
  std::string text;
};

const Shown kCases[] = {
    {"ASCII", "Home page 1", "Home page 1"},
    {"UTF-8", "M\xC3\xBAsica \xE2\x82\xAC \xF0\x9F\x98\x80", "Música € 😀"},
    {"Windows-1252 letters", "M\xFAsica", "Música"},
    {"Windows-1252's own characters from 0x80 to 0x9F", "\x80\x85\x8A\x8C\x93\x94\x96\x99\x9F",
     "€…ŠŒ“”–™Ÿ"},
    {"UTF-8 and Windows-1252 in one text", "Caf\xE9 \xC3\xA9t\xE9", "Café été"},
    {"the bytes Windows-1252 leaves undefined: C1 controls of the same number",
     "\x81\x8D\x8F\x90\x9D", "\u0081\u008D\u008F\u0090\u009D"},
    {"a sequence cut short by the end", "Caf\xC3", "CafÃ"},
    {"a sequence cut short by the next character", "\xE2\x82x \xF0\x9F\x98!", "â‚x ðŸ˜!"},
    {"no overlong forms", "\xC0\xAF\xE0\x80\xAF", "À¯à€¯"},
    {"no surrogates", "\xED\xA0\x80", "í\u00A0€"},
    {"nothing above U+10FFFF", "\xF4\x90\x80\x80", "ô\u0090€€"},
    {"a NUL byte", "a\0b"s, "a\0b"s},
};

TEST(WidgetTextTest, ShowsUtf8AsUtf8AndEveryOtherByteAsWindows1252) {
  for (const Shown& c : kCases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ToWidgetText(c.bytes),
              QString::fromUtf8(c.text.data(), static_cast<qsizetype>(c.text.size())));
  }
}

// Unchanged, a text gives back the very bytes it was shown from; changed, it is UTF-8.
TEST(WidgetTextTest, GivesBackTheOriginalBytesOfAnUnchangedTextAndUtf8OfAChangedOne) {
  for (const Shown& c : kCases) {
    SCOPED_TRACE(c.name);
    const QString shown = ToWidgetText(c.bytes);
    EXPECT_EQ(FromWidgetText(shown, c.bytes), c.bytes);
    EXPECT_EQ(FromWidgetText(shown + QLatin1Char('!'), c.bytes), c.text + "!");
    EXPECT_EQ(FromWidgetText(shown), c.text);
  }
}

}  // namespace
}  // namespace lintavo::test
