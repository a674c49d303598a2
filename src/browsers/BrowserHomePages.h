#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Making a page the home page of every browser profile the user has, of the Firefox family and of
// the Chromium family, found where the open-tab reading finds them (os/BrowserPlaces.h).
//
// - Firefox family (firefox/FirefoxHomePage.h): browser.startup.homepage, and
//   browser.startup.page = 1 unless the profile restores its previous session. In prefs.js while
//   no Firefox holds the profile; while one does (it writes prefs.js from memory while it runs and
//   as it ends), in a marked block of user.js, which Firefox reads at its next start and
//   SettleBrowserHomePages removes once prefs.js carries what it set. A profile whose own user.js
//   sets the home page is left alone: that line wins at every start.
// - Chromium family (chromium/ChromiumHomePage.h): the home page, and the page opened at start
//   unless the profile continues where it left off, in each profile's "Preferences", only while
//   the browser does not run: it keeps its settings in memory and writes them over the file as it
//   ends. A running one is reported instead.
//
// Nothing a browser wrote is lost: a file that cannot be read, is too large or is not what the
// browser writes is left as it is, files are replaced atomically (os/Files.h), and what the home
// page replaced is recorded beside the file first (HomePageRecord.h).
namespace lintavo::browsers {

// What a home-page write could not give the page to. Browsers go by the names people know them
// by ("Firefox", "Chromium", "Google Chrome"), each once, in the order they were met. Everything is
// empty after a write that reached every browser.
struct BrowserHomePageGaps {
  // Browsers that run now and write their own settings over the file as they end: nothing was
  // written for them. Closing them and writing the start page again sets it.
  std::vector<std::string> running;
  // Browsers whose settings files could not be read, understood or written (no permission, far
  // too large, damaged): they were left exactly as they were.
  std::vector<std::string> failed;
  // Firefox profiles whose own user.js sets the home page, which Firefox reads at every start:
  // they were left as they were. Each by its name in Firefox's profile list (else its folder's
  // name), once, in the order they were met.
  std::vector<std::string> firefoxProfilesWithOwnHomePage;
  // The start page is no address a browser can take: its path holds a control character (a tab,
  // DEL...) that no address carries, or it is neither an absolute path nor a URL. No browser was
  // changed.
  bool pageWithoutAddress = false;

  bool Empty() const {
    return running.empty() && failed.empty() && firefoxProfilesWithOwnHomePage.empty() &&
           !pageWithoutAddress;
  }
};

// What a home-page write did in the browsers, each named once in the order met, as in
// BrowserHomePageGaps.
struct BrowserHomePageReport {
  // Browsers that open the page from their next start on.
  std::vector<std::string> set;
  // Browsers that run now and take the page up at their next start: it is written where they
  // read it as they start (Firefox's user.js). A browser with one profile here and another in
  // `set` is named here only.
  std::vector<std::string> setAtNextStart;
  BrowserHomePageGaps gaps;
};

// The URL a browser opens for a page: an absolute path becomes its file:// URL, percent-encoded (a
// space is %20, bytes beyond ASCII are encoded one by one, "/" and the characters that URLs allow
// in a path stay); a value that is already a URL ("scheme:...") is kept. Nothing for anything else
// (an empty or relative path) or text with control characters.
std::optional<std::string> HomePageUrl(std::string_view page);

// Makes `page` (a file's absolute path, or a URL) the home page of every profile of every browser
// of the two families, each profile once however often the profile lists and the browsers'
// folders lead to it, and tells what was set and what could not be.
BrowserHomePageReport SetHomePageInBrowsers(std::string_view page);

// Finishes what earlier home-page writes left for the browsers' next start: takes Lintavo's lines
// out of a Firefox profile's user.js once Firefox has taken the page up, so that the person can
// change it in Firefox again. It reads a few small files; the program calls it once at start-up,
// after its window shows.
void SettleBrowserHomePages();

}  // namespace lintavo::browsers
