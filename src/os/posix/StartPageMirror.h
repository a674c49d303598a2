#pragma once

#include <optional>
#include <string>
#include <string_view>

// The browser's "Start Page" (HKCU Software\Microsoft\Internet Explorer\Main) on a freedesktop
// system, where no browser reads the registry: when the value is written, its page becomes the
// home page of every profile of the Firefox family and of the Chromium family that the user has,
// found where the open-tab reading finds them (os/posix/FirefoxProfiles.h, ChromiumProfiles.h).
//
// - Firefox family (os/posix/FirefoxHomePage.h): browser.startup.homepage, and
//   browser.startup.page = 1 unless the profile restores its previous session. In prefs.js while
//   no Firefox holds the profile; while one does (it writes prefs.js from memory while it runs and
//   as it ends), in a marked block of user.js, which Firefox reads at its next start and
//   SettleBrowserHomePages removes once prefs.js carries what it set. A profile whose own user.js
//   sets the home page is left alone: that line wins at every start.
// - Chromium family (os/posix/ChromiumHomePage.h): the home page, and the page opened at start
//   unless the profile continues where it left off, in each profile's "Preferences", only while
//   the browser does not run: it keeps its settings in memory and writes them over the file as it
//   ends. A running one is reported instead.
//
// Nothing a browser wrote is lost: a file that cannot be read, is too large or is not what the
// browser writes is left as it is, files are replaced atomically (os/Files.h), and what the home
// page replaced is recorded beside the file first (os/posix/HomePageRecord.h). What could not be
// set is reported through os/BrowserHomePages.h; the registry write itself has succeeded.
namespace lintavo::os::posix {

// What became of the home page in one profile.
enum class HomePageOutcome {
  kSet,             // the browser opens the page from its next start on
  kSetAtNextStart,  // written where the running browser takes it up at its next start
  kBrowserRunning,  // not written: the browser runs and would write its own settings over it
  kNotSet,          // not written: its files could not be read, understood or written
  kPinnedByPerson,  // not written: the person's own user.js sets the home page at every start
  kNoProfile,       // nothing there to set (a profile folder that does not exist)
};

// The URL a browser opens for a "Start Page" value: an absolute path becomes its file:// URL,
// percent-encoded (a space is %20, bytes beyond ASCII are encoded one by one, "/" and the
// characters that URLs allow in a path stay); a value that is already a URL ("scheme:...") is
// kept. Nothing for anything else (an empty or relative path) or text with control characters.
std::optional<std::string> HomePageUrl(std::string_view startPage);

// Called by the registry after it stored a new "Start Page": mirrors it into the browsers and
// records what was set and what could not be for BrowserHomePageReportOfLastWrite().
void MirrorStartPage(std::string_view startPage);

}  // namespace lintavo::os::posix
