#include "pages/ColorText.h"

#include <algorithm>
#include <cstdio>
#include <optional>

#include "base/Failure.h"
#include "base/Text.h"

namespace lintavo {

ColorValue HtmlToColor(const std::string& text) {
  std::string digits;
  for (char c : text) {
    if (c != '#') {
      digits += c;
    }
  }
  digits.resize(std::min<std::size_t>(digits.size(), 6));
  const std::string red = digits.substr(0, 2);
  const std::string green = digits.size() > 2 ? digits.substr(2, 2) : std::string();
  const std::string blue = digits.size() > 4 ? digits.substr(4, 2) : std::string();
  // The pieces are put together in the colour value's own byte order, blue first.
  const std::string hexText = "$00" + blue + green + red;

  ColorValue value = 0;
  for (std::size_t i = 1; i < hexText.size(); ++i) {
    const std::optional<int> digit = base::HexDigitValue(hexText[i]);
    if (!digit) {
      throw Failure("'" + hexText + "' is not a valid integer value");
    }
    value = value * 16 + static_cast<ColorValue>(*digit);
  }
  return value;
}

std::string ColorToHtml(ColorValue color) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", color & 0xFFu, (color >> 8) & 0xFFu,
                (color >> 16) & 0xFFu);
  return text;
}

}  // namespace lintavo
