// Fuzz target for Firefox's preference files (prefs.js, user.js) as the home page rewrites them.
// The input is the file. Setting the home page in it (as in prefs.js) must keep every other
// statement, make the page the last word on the home page and the start open it unless the file
// restores the previous session, report the values it found, and change nothing when done again;
// putting the page in a user.js block must give a file whose block names the page and what was
// there before, and taking the block out again a file Firefox reads. A file Firefox would find an
// error in is never rewritten.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "browsers/firefox/FirefoxHomePage.h"
#include "browsers/firefox/FirefoxPrefs.h"

namespace {

namespace browsers = lintavo::browsers;
namespace fuzz = lintavo::fuzz;

constexpr const char* kUrl = "file:///home/ann/My%20Home%20Pages/my%20home%20page%201.htm";

bool IsHomePagePref(const browsers::PrefStatement& statement) {
  return statement.user && (statement.name == browsers::kHomePagePref ||
                            statement.name == browsers::kStartupPagePref);
}

// The statements other than the two the home page sets, as text that compares them.
std::vector<std::string> OtherStatements(const std::vector<browsers::PrefStatement>& statements) {
  std::vector<std::string> described;
  for (const browsers::PrefStatement& statement : statements) {
    if (IsHomePagePref(statement)) {
      continue;
    }
    std::string text = (statement.user ? "user " : "default ") + statement.name + " = ";
    if (const auto* string = std::get_if<std::string>(&statement.value)) {
      text += "\"" + *string + "\"";
    } else if (const auto* number = std::get_if<std::int32_t>(&statement.value)) {
      text += std::to_string(*number);
    } else {
      text += std::get<bool>(statement.value) ? "true" : "false";
    }
    described.push_back(std::move(text));
  }
  return described;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text = fuzz::AsText(data, size);
  const auto statements = browsers::ParsePrefStatements(text);

  const auto prefsJs = browsers::WithFirefoxHomePage(text, kUrl);
  fuzz::Expect(prefsJs.has_value() == statements.has_value(),
               "a file was rewritten exactly when it reads without error");
  if (!prefsJs) {
    fuzz::Expect(!browsers::WithHomePageBlock(text, {kUrl, true, true, std::nullopt, std::nullopt}),
                 "a user.js Firefox finds an error in was given a block");
    return 0;
  }
  const auto after = browsers::ParsePrefStatements(prefsJs->text);
  fuzz::Expect(after.has_value(), "the rewritten prefs.js reads with an error");
  fuzz::Expect(browsers::LastUserString(*after, browsers::kHomePagePref) == std::string(kUrl),
               "the rewritten prefs.js does not end with the home page set");
  const auto startupBefore = browsers::LastUserValue(*statements, browsers::kStartupPagePref);
  const bool restores = startupBefore == browsers::PrefValue(browsers::kRestorePreviousSession);
  fuzz::Expect(browsers::LastUserValue(*after, browsers::kStartupPagePref) ==
                   browsers::PrefValue(restores ? browsers::kRestorePreviousSession : 1),
               "the rewritten prefs.js starts with neither the page nor the previous session");
  for (const browsers::PrefChange& change : prefsJs->changes) {
    const auto value = browsers::LastUserValue(*statements, change.name);
    fuzz::Expect(
        change.current == (value ? std::optional(browsers::PrefLiteral(*value)) : std::nullopt),
        "the value found is not the one the file gives");
  }
  fuzz::Expect(OtherStatements(*statements) == OtherStatements(*after),
               "the rewrite changed a statement of another preference");
  const auto again = browsers::WithFirefoxHomePage(prefsJs->text, kUrl);
  fuzz::Expect(again.has_value(), "the rewritten prefs.js cannot be rewritten");
  fuzz::ExpectEqual("prefs.js set a second time", prefsJs->text, again->text);

  // A page before, as prefs.js may give it: any text without a NUL byte.
  std::string before(text.substr(0, 64));
  std::erase(before, '\0');
  const browsers::HomePageBlock block{kUrl, !restores, true, browsers::PrefValue(before),
                                      startupBefore};
  if (const auto userJs = browsers::WithHomePageBlock(text, block)) {
    fuzz::Expect(browsers::ParsePrefStatements(*userJs).has_value(),
                 "user.js with the block reads with an error");
    const auto found = browsers::FindHomePageBlock(*userJs);
    fuzz::Expect(found && found->url == kUrl, "the block just written names no page");
    fuzz::Expect(found->homePageBefore == block.homePageBefore &&
                     found->setsStartupPage == block.setsStartupPage &&
                     (!block.setsStartupPage || found->startupPageBefore == startupBefore),
                 "the block just written forgot what was there before");
    const auto without = browsers::WithoutHomePageBlock(*userJs);
    fuzz::Expect(without && !browsers::FindHomePageBlock(*without),
                 "the block cannot be taken out again");
    // The blocks are Lintavo's own lines: what stays outside them stays the same.
    const auto originalWithout = browsers::WithoutHomePageBlock(text);
    fuzz::Expect(originalWithout.has_value(), "a block was written where none can be taken out");
    fuzz::Expect(OtherStatements(*browsers::ParsePrefStatements(*without)) ==
                     OtherStatements(*browsers::ParsePrefStatements(*originalWithout)),
                 "the block changed a preference outside it");
  }
  return 0;
}
