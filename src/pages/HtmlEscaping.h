#pragma once

#include <string>
#include <string_view>

namespace lintavo {

// `text` as HTML text or as a quoted attribute value: "&", "<", ">", '"' and "'" become the
// character references "&amp;", "&lt;", "&gt;", "&quot;" and "&#39;", so that the text shows as it
// is and can neither start markup nor end the attribute it lands in. A byte that is no part of
// well-formed UTF-8 (the Windows code page of a settings file brought from Windows) becomes the
// numeric reference of its Windows-1252 character (base::FirstCharacter), which a UTF-8 page shows
// as the person sees it in the program: "M\xFAsica" gives "M&#250;sica". Every other byte is kept.
std::string EscapedForHtml(std::string_view text);

}  // namespace lintavo
