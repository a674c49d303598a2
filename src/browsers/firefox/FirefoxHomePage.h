#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "browsers/HomePageOutcome.h"
#include "browsers/HomePageRecord.h"
#include "browsers/firefox/FirefoxPrefs.h"

// The home page of a Firefox-family profile: browser.startup.homepage (what the Home button and
// the start open) and browser.startup.page = 1 (start with the home page). A profile that
// restores its previous session at start (browser.startup.page 3) keeps doing so: it gets the page
// as its home page only.
//
// Firefox reads prefs.js, then user.js, at its start, and writes prefs.js from memory while it
// runs and as it ends. So a profile no Firefox holds gets the preferences in prefs.js. A profile
// in use gets them in a block of user.js, which wins over prefs.js at the next start:
//
//   // BEGIN Lintavo home page
//   // Lintavo takes these lines out again once Firefox has taken the page up.
//   // before: browser.startup.homepage = "about:home"
//   // before: browser.startup.page = none
//   user_pref("browser.startup.homepage", "file:///home/ann/start.htm");
//   user_pref("browser.startup.page", 1);
//   // END Lintavo home page
//
// The "before" lines give what prefs.js held for each preference the block sets ("none": prefs.js
// set none). Earlier versions wrote one line for the home page alone, `// before: "about:home"` or
// `// before: none`, or none at all when prefs.js could not be read.
//
// A user.js block left in place would set the page at every start, so the person could never
// change it in Firefox; SettleFirefoxHomePage removes it once prefs.js shows that Firefox took the
// page up (it carries the block's page) or that the person chose another one since (it carries
// neither the block's page nor the one "before" records).
//
// A home page that the person's own user.js sets, outside the block, wins at every start: such a
// profile is left as it is.
namespace lintavo::browsers {

inline constexpr std::string_view kHomePagePref = "browser.startup.homepage";
inline constexpr std::string_view kStartupPagePref = "browser.startup.page";
inline constexpr std::string_view kStartWithHomePage = "1";
inline constexpr std::int32_t kRestorePreviousSession = 3;

inline constexpr std::string_view kHomePageBlockBegin = "// BEGIN Lintavo home page";
inline constexpr std::string_view kHomePageBlockEnd = "// END Lintavo home page";

// prefs.js with the home page set to `url`, every other byte kept (firefox/FirefoxPrefs.h,
// WithUserPrefs), and the two preferences as it found and left them (their values as user_pref
// literals). Nothing when the file does not read without error.
std::optional<PreferencesEdit> WithFirefoxHomePage(std::string_view prefsJs, std::string_view url);

// Whether two user_pref literals give the same value.
bool SamePrefValue(std::string_view a, std::string_view b);

// What a user.js block says.
struct HomePageBlock {
  std::string url;
  bool setsStartupPage = true;  // browser.startup.page = 1 as well
  // What prefs.js held when the block was written, for each preference the block sets (nothing:
  // prefs.js set none). Unknown in a block of an earlier version that has no "before" line.
  bool beforeKnown = false;
  std::optional<PrefValue> homePageBefore;
  std::optional<PrefValue> startupPageBefore;
};

// The first complete block of user.js, as far as it names a page; nothing when there is none.
std::optional<HomePageBlock> FindHomePageBlock(std::string_view userJs);

// user.js with `block` in place of the first of Lintavo's blocks (others removed), or added at the
// end, with the file's line break; every other byte kept. Nothing when Firefox would find an error
// in the file or a block has a beginning and no end.
std::optional<std::string> WithHomePageBlock(std::string_view userJs, const HomePageBlock& block);

// user.js without Lintavo's blocks; nothing under the same conditions.
std::optional<std::string> WithoutHomePageBlock(std::string_view userJs);

// Whether the person's user.js sets the home page outside Lintavo's blocks. False for a file that
// Firefox finds an error in or whose block has no end: what it sets cannot be told.
bool UserJsSetsHomePage(std::string_view userJs);

// Sets the home page of the profile in `profileFolder`, after its record: kSet (prefs.js),
// kSetAtNextStart (user.js, the profile is in use), kPinnedByPerson (its user.js sets the home
// page), kNotSet (a file, the record included, could not be read, understood or written) or
// kNoProfile (no such folder). Unless it is kSet or kSetAtNextStart, nothing was changed.
HomePageOutcome SetFirefoxHomePage(const std::string& profileFolder, const std::string& url);

// Removes the profile's user.js block when prefs.js shows that it is no longer needed (above).
void SettleFirefoxHomePage(const std::string& profileFolder);

}  // namespace lintavo::browsers
