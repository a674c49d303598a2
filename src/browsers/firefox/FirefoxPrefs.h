#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// Firefox's user preference files, prefs.js (which Firefox writes) and user.js (which people
// write), read as Firefox's own parser reads them (modules/libpref/parser):
//
//   # a comment      // a comment      /* a comment, over lines */
//   user_pref("browser.startup.homepage", "file:///home/ann/start.htm");
//   user_pref('browser.startup.page', 1);
//
// Statements are `user_pref`, `pref` or `sticky_pref`, "(", a name, ",", a value, ")", ";",
// with blanks, line breaks (LF, CR LF or CR) and comments anywhere between the tokens. Names and
// text values are strings in double or single quotes with the escapes \" \' \\ \n \r \xNN and
// \uNNNN; other values are true, false and 32-bit integers with an optional sign. A NUL byte ends
// the file for Firefox.
//
// Firefox skips a statement it cannot read and goes on after its ";". A file with such a
// statement is not read here at all: what Firefox would make of text added after it (an open
// comment or string swallows it) cannot be told apart, so such a file is never rewritten.
namespace lintavo::browsers {

// A preference's value: a text, a 32-bit integer or true/false.
using PrefValue = std::variant<std::string, std::int32_t, bool>;

struct PrefStatement {
  std::size_t begin = 0;  // the offset of its first keyword
  std::size_t end = 0;    // the offset just past its ";"
  bool user = false;      // user_pref; pref and sticky_pref set defaults
  std::string name;
  PrefValue value;
};

// The statements of a preference file, in order; nothing when Firefox would find an error in it.
std::optional<std::vector<PrefStatement>> ParsePrefStatements(std::string_view text);

// The value the last user_pref of `name` gives; nothing when none sets it.
std::optional<PrefValue> LastUserValue(const std::vector<PrefStatement>& statements,
                                       std::string_view name);

// The text value the last user_pref of `name` gives; nothing when none sets it or the last one
// sets a value of another type.
std::optional<std::string> LastUserString(const std::vector<PrefStatement>& statements,
                                          std::string_view name);

// A string literal in double quotes that Firefox reads back as `text` (which holds no NUL byte).
std::string PrefStringLiteral(std::string_view text);

// The literal Firefox writes for a value: PrefStringLiteral for a text, the integer in decimal,
// true or false.
std::string PrefLiteral(const PrefValue& value);

// The value of `literal` when it is one value literal (a string, a signed integer, true or false)
// and nothing else, not even a blank around it.
std::optional<PrefValue> ParsePrefLiteral(std::string_view literal);

// The line break a file uses: that of its first line; LF for a file of one line.
std::string_view LineBreakOf(std::string_view text);

// One user preference to set: the name and the value as it is written (a literal: "1", "true",
// or PrefStringLiteral(...)).
struct UserPref {
  std::string name;
  std::string literal;
};

// The file with the given user preferences set. Each user_pref statement of one of the names is
// replaced where it stands by `user_pref("<name>", <literal>);`, and a name that no statement
// sets is added at the end, a line of its own for each, with the file's line break. Every other
// byte stays as it was. Nothing when the file does not read without error.
std::optional<std::string> WithUserPrefs(std::string_view text, const std::vector<UserPref>& prefs);

}  // namespace lintavo::browsers
