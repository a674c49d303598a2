#include "pages/CssColors.h"

#include <algorithm>
#include <string>

#include "base/Text.h"

namespace lintavo {

namespace {

// CSS's named colours in lower case, each with a space on either side.
constexpr std::string_view kNamedColors =
    " aliceblue antiquewhite aqua aquamarine azure beige bisque black blanchedalmond blue "
    "blueviolet brown burlywood cadetblue chartreuse chocolate coral cornflowerblue cornsilk "
    "crimson cyan darkblue darkcyan darkgoldenrod darkgray darkgreen darkgrey darkkhaki "
    "darkmagenta darkolivegreen darkorange darkorchid darkred darksalmon darkseagreen "
    "darkslateblue darkslategray darkslategrey darkturquoise darkviolet deeppink deepskyblue "
    "dimgray dimgrey dodgerblue firebrick floralwhite forestgreen fuchsia gainsboro ghostwhite "
    "gold goldenrod gray green greenyellow grey honeydew hotpink indianred indigo ivory khaki "
    "lavender lavenderblush lawngreen lemonchiffon lightblue lightcoral lightcyan "
    "lightgoldenrodyellow lightgray lightgreen lightgrey lightpink lightsalmon lightseagreen "
    "lightskyblue lightslategray lightslategrey lightsteelblue lightyellow lime limegreen linen "
    "magenta maroon mediumaquamarine mediumblue mediumorchid mediumpurple mediumseagreen "
    "mediumslateblue mediumspringgreen mediumturquoise mediumvioletred midnightblue mintcream "
    "mistyrose moccasin navajowhite navy oldlace olive olivedrab orange orangered orchid "
    "palegoldenrod palegreen paleturquoise palevioletred papayawhip peachpuff peru pink plum "
    "powderblue purple rebeccapurple red rosybrown royalblue saddlebrown salmon sandybrown "
    "seagreen seashell sienna silver skyblue slateblue slategray slategrey snow springgreen "
    "steelblue tan teal thistle tomato turquoise violet wheat white whitesmoke yellow yellowgreen ";

bool IsHexColor(std::string_view text) {
  return (text.size() == 4 || text.size() == 7) && text.front() == '#' &&
         std::all_of(text.begin() + 1, text.end(),
                     [](char c) { return base::HexDigitValue(c).has_value(); });
}

bool IsNamedColor(std::string_view text) {
  return !text.empty() && text.find(' ') == std::string_view::npos &&
         kNamedColors.find(" " + base::AsciiLowerCase(text) + " ") != std::string_view::npos;
}

}  // namespace

bool IsCssColor(std::string_view text) {
  return IsHexColor(text) || IsNamedColor(text);
}

}  // namespace lintavo
