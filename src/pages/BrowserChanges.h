#pragma once

#include <string>

namespace lintavo {

// The changes the program makes to the browser's per-user settings. Registry failures raise
// lintavo::Failure with the registry's message; the steps done before stay done.

// Makes `pagePath` the browser's home page, for new tabs too. The browser's lockdown of local
// content is switched off while the start page is written and set back afterwards.
void SetBrowserHomePage(const std::string& pagePath);

// Lets pages opened from local files run scripts and controls without the browser's warning.
// False, with nothing changed, when the setting's key can be neither opened nor created.
bool AllowActiveContentInLocalFiles();

}  // namespace lintavo
