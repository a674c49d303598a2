#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "browsers/BrowserFiles.h"
#include "browsers/ShellWindows.h"

// Firefox's session JSON (the content of sessionstore-backups/recovery.jsonlz4), as far as the
// open tabs go:
//   {"windows": [{"tabs": [{"entries": [{"url": ...}, ...], "index": 1, "userTypedValue": ...}]}]}
// Closed windows and tabs ("_closedWindows", "_closedTabs") are not open and not read; neither is
// anything else in the file.
namespace lintavo::browsers {

// One browser window for each tab of each open window, in the file's order (at most
// kMaxTabsPerSession; the rest are left out):
// - its location is the URL of the tab's current entry, entries[index - 1]. Like Firefox, an index
//   that is missing, 0 or not an integer means the last entry, and an index out of range is
//   clamped to the first or last entry;
// - it has a document when that entry has a URL, unless the tab is a blank one still loading an
//   address (the entry is about:blank and the tab has a "userTypedValue");
// - a tab without entries (just opened, nothing committed yet) has no location and no document.
// A key of another type than the one described counts as missing. Nothing when the text is not
// JSON.
std::optional<std::vector<ShellWindows::Window>> FirefoxSessionTabs(std::string_view json);

}  // namespace lintavo::browsers
