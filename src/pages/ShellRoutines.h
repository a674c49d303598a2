#pragma once

#include <string>

namespace lintavo {

// Puts a shortcut named `linkName` that starts `target` in its own folder on the desktop
// (`where` == "DESKTOP") or in the quick-start place ("QUICKLAUNCH"), replacing one of the same
// name. Any other `where` (the words compare with case) writes nothing. True when the shortcut
// was written.
bool CreateShortcut(const std::string& target, const std::string& linkName,
                    const std::string& where);

// Starts the program registered for HTML files with `address` (a file path or a web address) as
// its only argument. False, and nothing started, when no program is registered.
bool OpenInHtmlBrowser(const std::string& address);

}  // namespace lintavo
