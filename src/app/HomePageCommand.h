#pragma once

#include <string>

#include "skin/MessageService.h"

namespace lintavo {

// What a command that works on the selected page says when no page is selected.
inline constexpr const char* kNoPageSelected = "Please select a page first.";

// Makes the generated file of the page at list position `position` (0 to 9) in `rootFolder` the
// browser's home page, for new tabs too, after the user confirmed it. The browser's lockdown of
// local content is switched off while the start page is written and set back afterwards. With no
// page selected (any other position) the user is asked to select one and nothing changes.
// Registry failures raise lintavo::Failure; the steps done before stay done. Otherwise an
// information box ends the run: it names the browsers that have the page now and those that could
// not take it (browsers/BrowserHomePages.h), with what to do.
void SetSelectedPageAsHomePage(int position, const std::string& rootFolder,
                               MessageService& messages);

}  // namespace lintavo
