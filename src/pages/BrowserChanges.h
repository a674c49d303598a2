#pragma once

#include <string>

#include "browsers/BrowserHomePages.h"

namespace lintavo {

// The changes the program makes to the browser's per-user settings. Registry failures raise
// lintavo::Failure with the registry's message; the steps done before stay done.

// Makes `pagePath` the browser's home page, for new tabs too: first in the registry, where the
// system's own browser reads it (its lockdown of local content is switched off while the start page
// is written and set back afterwards), then in the profiles of the Firefox and Chromium families
// (browsers/BrowserHomePages.h), which tells what those could not take. A registry failure stops
// before any browser profile is changed.
browsers::BrowserHomePageReport SetBrowserHomePage(const std::string& pagePath);

// Lets pages opened from local files run scripts and controls without the browser's warning.
// False, with nothing changed, when the setting's key can be neither opened nor created.
bool AllowActiveContentInLocalFiles();

}  // namespace lintavo
