#pragma once

#include <string>
#include <string_view>

namespace lintavo {

// `text` as HTML text or as a quoted attribute value: "&", "<", ">", '"' and "'" become the
// character references "&amp;", "&lt;", "&gt;", "&quot;" and "&#39;", so that the text shows as it
// is and can neither start markup nor end the attribute it lands in. Every other byte, 8-bit text
// included, is kept.
std::string EscapedForHtml(std::string_view text);

}  // namespace lintavo
