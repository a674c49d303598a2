#pragma once

#include <string>

#include "skin/MessageService.h"

namespace lintavo {

// Opens `address` (a page's file or a web address) in the browser registered for HTML files
// (OpenInHtmlBrowser). With none registered, an information box says so: `cannotOpen`, which
// names what could not be opened and what to do instead, followed by the address itself, so that
// the person can open it on their own.
void OpenInBrowserOrSay(const std::string& address, const std::string& cannotOpen,
                        MessageService& messages);

// Opens the vendor's web site in the same way (the main window's logo, the about box's address).
void OpenVendorWebSite(MessageService& messages);

}  // namespace lintavo
