#pragma once

#include <cstdint>
#include <string>

namespace lintavo {

// A colour as the colour boxes hold it: 0x00BBGGRR, red in the lowest byte.
using ColorValue = std::uint32_t;

// "#RRGGBB" to a colour value. Every "#" is ignored and only the first six remaining characters
// count, two each for red, green and blue; shorter texts give shorter pieces ("#FFF" is red 255,
// green 15). Throws Failure "'$00BBGGRR' is not a valid integer value" (quoting the hexadecimal
// text it built) when a piece holds anything but hexadecimal digits.
ColorValue HtmlToColor(const std::string& text);

// A colour value to "#RRGGBB" with upper-case digits; the top byte is dropped.
std::string ColorToHtml(ColorValue color);

}  // namespace lintavo
