#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Lintavo's record of what setting the home page replaced in one browser profile, so that the
// person's own values can be put back exactly. It lies in the profile folder beside the file that
// holds the preferences, as "lintavo-home-page.json":
//
//   {
//     "file": "prefs.js",
//     "preferences": [
//       {"name": "browser.startup.homepage", "before": "\"https://mail.example/\"",
//        "set": "\"file:///home/ann/My%20Home%20Pages/my%20home%20page%201.htm\""},
//       {"name": "browser.startup.page", "before": null, "set": "1"}
//     ]
//   }
//
// Each value is text in the syntax of the file named: a user_pref literal for Firefox's prefs.js,
// a JSON value for Chromium's Preferences, as the browser's file had it; "before" is null when the
// file did not set the preference. The browsers' own files cannot hold the record: Firefox writes
// prefs.js anew and drops comments, and Chromium writes Preferences from memory.
namespace lintavo::browsers {

inline constexpr std::string_view kHomePageRecordName = "lintavo-home-page.json";

// One preference that setting the home page may change, as one run finds and leaves it.
struct PrefChange {
  std::string name;
  std::optional<std::string> current;  // as the file has it now; nothing: it does not set it
  std::optional<std::string> set;      // what this run sets; nothing: this run leaves it
};

// A file's text with the home page set, and what that changed.
struct PreferencesEdit {
  std::string text;
  std::vector<PrefChange> changes;
};

// One preference the home page set, with the value it replaced.
struct RecordedPref {
  std::string name;
  std::optional<std::string> before;  // nothing: the file did not set it
  std::string set;

  bool operator==(const RecordedPref&) const = default;
};

struct HomePageRecord {
  std::string file;  // the name of the file that holds the preferences
  std::vector<RecordedPref> prefs;

  bool operator==(const HomePageRecord&) const = default;
};

// The record as it is stored; nothing when a text in it is not UTF-8, which JSON cannot carry.
std::optional<std::string> HomePageRecordText(const HomePageRecord& record);

// A stored record; nothing when the text is not one.
std::optional<HomePageRecord> ParseHomePageRecord(std::string_view text);

// Whether two values in the file's syntax are the same value.
using SameValue = std::function<bool(std::string_view, std::string_view)>;

// The record after a run that made `changes` to `file`, `changes` naming every preference that
// setting the home page may change. A preference this run sets keeps the value the earlier record
// gives as "before" when the file still holds what that record says was set (the person's own
// value, which an earlier run replaced), else the value the file holds now. One this run leaves
// keeps its earlier entry while the file still holds what was set.
HomePageRecord HomePageRecordAfter(const std::optional<HomePageRecord>& earlier,
                                   const std::string& file, const std::vector<PrefChange>& changes,
                                   const SameValue& sameValue);

// Brings the record in `profileFolder` up to date for a run that makes `changes` to `file`
// (HomePageRecordAfter), written atomically when it changes. A record that is there but is not
// one is made anew. False when one that is there cannot be read, or the new one cannot be written:
// the run must then change nothing.
bool KeepHomePageRecord(const std::string& profileFolder, const std::string& file,
                        const std::vector<PrefChange>& changes, const SameValue& sameValue);

}  // namespace lintavo::browsers
