#pragma once

#include <string_view>

namespace lintavo {

// Whether `text` is a colour as CSS writes it: "#" and three or six hexadecimal digits, or one of
// CSS's named colours ("red", "rebeccapurple"), ASCII case ignored. Nothing else, not even blanks
// around it: such a text can stand in a style sheet or a style attribute without ending it.
bool IsCssColor(std::string_view text);

}  // namespace lintavo
