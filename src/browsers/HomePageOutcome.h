#pragma once

// What became of the home page in one browser profile, as the Firefox and Chromium writers
// (firefox/FirefoxHomePage.h, chromium/ChromiumHomePage.h) tell it to BrowserHomePages.
namespace lintavo::browsers {

enum class HomePageOutcome {
  kSet,             // the browser opens the page from its next start on
  kSetAtNextStart,  // written where the running browser takes it up at its next start
  kBrowserRunning,  // not written: the browser runs and would write its own settings over it
  kNotSet,          // not written: its files could not be read, understood or written
  kPinnedByPerson,  // not written: the person's own user.js sets the home page at every start
  kNoProfile,       // nothing there to set (a profile folder that does not exist)
};

}  // namespace lintavo::browsers
