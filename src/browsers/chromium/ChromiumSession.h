#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "browsers/ShellWindows.h"

// Chromium's session files ("Sessions/Session_<time>" in a profile, the "SNSS" format): the bytes
// "SNSS", a 32-bit version, then commands, each a 16-bit size (which counts the id), an 8-bit id
// and its payload. The browser writes the state of its windows when it starts the file, then
// appends a command for every change, so the open windows and tabs are what replaying all the
// commands leaves.
namespace lintavo::browsers {

// One browser window for each tab of each normal browser window (not a pop-up, an app or a
// developer tools window) that the session file leaves open: windows in the order they were
// created, tabs in their order in the window.
// - A tab's location is the URL of its current navigation entry (the one at the selected index,
//   else the next one after it, else the last one), and it has a document when that URL is not
//   empty. A tab without entries (nothing committed yet) has no location and no document.
// - Versions 1 and 3 are read; 2 and 4 are encrypted, and those and any other version give
//   nothing. So does a version 3 file without its marker: the browser has not finished writing
//   the state it starts the file with.
// - A command this reader does not know is skipped: newer browsers add commands. A known command
//   with a malformed payload, an empty command or one that the end of the file cuts short ends the
//   replay, and what it built up to there counts, as when the browser restores such a file.
// - A window the file tells no type of is no normal window. At most kMaxTabsPerSession tabs are
//   followed: a command that would add one more ends the replay.
std::optional<std::vector<ShellWindows::Window>> ChromiumSessionTabs(std::string_view file);

}  // namespace lintavo::browsers
