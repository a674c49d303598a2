#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "browsers/HomePageOutcome.h"
#include "browsers/HomePageRecord.h"

// The home page of a Chromium-family profile, in its "Preferences" file (JSON, one object):
//
//   "homepage": URL, "homepage_is_newtabpage": false      what the Home button opens
//   "browser": {"show_home_button": true}                 the Home button is shown
//   "session": {"restore_on_startup": 4,                  the start opens the pages of
//               "startup_urls": [URL]}                    startup_urls: this page alone
//
// A profile that continues where it left off (restore_on_startup 1) keeps doing so, with its
// startup_urls: it gets the page as its home page only.
//
// The browser keeps these in memory while it runs and writes the whole file as it ends, so the
// file is only changed while the browser does not run; the caller checks that for the browser's
// user-data folder (os/BrowserLocks.h). Only the members set change: every other byte of the
// file stays as it was (JsonMembers.h), and what they held before is kept in the
// profile's record (HomePageRecord.h).
namespace lintavo::browsers {

// Restore-on-startup values: continue where the person left off, and open the pages of
// session.startup_urls.
inline constexpr int kRestoreLastSession = 1;
inline constexpr int kRestoreOnStartupUrls = 4;

// Chromium reads no JSON nested deeper than this (base/json, kStackMaxDepth); a file that does is
// not the browser's and is left alone.
inline constexpr int kMaxPreferencesDepth = 200;

// The Preferences text with the home page set to `url`, and the five members as it found and
// left them (their values as JSON text, named by their paths: "homepage",
// "session.restore_on_startup"...). Nothing when the text is not one JSON object, nests deeper
// than kMaxPreferencesDepth, names one of the members, or "browser" or "session", twice in its
// object, or holds "browser" or "session" as something other than an object.
std::optional<PreferencesEdit> WithChromiumHomePage(std::string_view preferences,
                                                    std::string_view url);

// Whether two JSON texts hold the same value.
bool SameJsonValue(std::string_view a, std::string_view b);

// Sets the home page in the profile's Preferences, after its record: kSet, kNotSet (the file could
// not be read, is larger than kMaxPreferenceFileSize, is not what WithChromiumHomePage takes, or
// it or the record could not be written; it is left as it was) or kNoProfile (no Preferences
// file).
HomePageOutcome SetChromiumHomePage(const std::string& profileFolder, const std::string& url);

}  // namespace lintavo::browsers
