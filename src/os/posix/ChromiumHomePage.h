#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "os/posix/StartPageMirror.h"

// The home page of a Chromium-family profile, in its "Preferences" file (JSON, one object):
//
//   "homepage": URL, "homepage_is_newtabpage": false      what the Home button opens
//   "browser": {"show_home_button": true}                 the Home button is shown
//   "session": {"restore_on_startup": 4,                  the start opens the pages of
//               "startup_urls": [URL]}                    startup_urls: this page alone
//
// The browser keeps these in memory while it runs and writes the whole file as it ends, so the
// file is only changed while the browser does not run; the caller checks that for the browser's
// user-data folder (os/posix/BrowserLocks.h).
namespace lintavo::os::posix {

// Restore-on-startup value for "open the pages of session.startup_urls".
inline constexpr int kRestoreOnStartupUrls = 4;

// Chromium reads no JSON nested deeper than this (base/json, kStackMaxDepth); a file that does is
// not the browser's and is left alone.
inline constexpr int kMaxPreferencesDepth = 200;

// The Preferences text with the home page set to `url`, every other member kept (and written as
// the browser writes the file: compact, members in byte order of their names). Nothing when the
// text is not one JSON object, nests deeper than kMaxPreferencesDepth, or holds "browser" or
// "session" as something other than an object.
std::optional<std::string> WithChromiumHomePage(std::string_view preferences, std::string_view url);

// Sets the home page in the profile's Preferences: kSet, kNotSet (the file could not be read, is
// larger than kMaxPreferenceFileSize, is not what WithChromiumHomePage takes, or could not be
// written; it is left as it was) or kNoProfile (no Preferences file).
HomePageOutcome SetChromiumHomePage(const std::string& profileFolder, const std::string& url);

}  // namespace lintavo::os::posix
