#pragma once

#include <string>
#include <vector>

// What becomes of the browser's "Start Page" (HKCU "Software\Microsoft\Internet Explorer\Main")
// in the browsers the user has. On Windows the browser reads the registry value itself: it has the
// page once the value is written, with nothing left out and nothing to settle. On a freedesktop
// system no browser reads the registry: writing the value also makes its page the home page of
// every Firefox-family and Chromium-family profile of the user, and a browser that runs or whose
// files cannot be written may be left out.
namespace lintavo::os {

// What the last write of the start page in this process could not give the page to. Browsers go
// by the names people know them by ("Firefox", "Chromium", "Google Chrome"), each once, in the
// order they were met. Everything is empty before any write, and after a write that reached every
// browser.
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

// What the last write of the start page in this process did in the browsers, each named once in
// the order met, as in BrowserHomePageGaps. All empty before any write.
struct BrowserHomePageReport {
  // Browsers that open the page from their next start on; on Windows, the one that reads the
  // registry.
  std::vector<std::string> set;
  // Browsers that run now and take the page up at their next start: it is written where they
  // read it as they start (Firefox's user.js). A browser with one profile here and another in
  // `set` is named here only.
  std::vector<std::string> setAtNextStart;
  BrowserHomePageGaps gaps;
};

BrowserHomePageReport BrowserHomePageReportOfLastWrite();

// Finishes what earlier writes of the start page left for the browsers' next start (on a
// freedesktop system: takes Lintavo's lines out of a Firefox profile's user.js once Firefox has
// taken the page up, so that the person can change it in Firefox again). It reads a few small
// files; the program calls it once at start-up, after its window shows.
void SettleBrowserHomePages();

}  // namespace lintavo::os
