// Fuzz target for Chromium's "Preferences" file as the home page edits it. The input is the file.
// The member finder must stay within any bytes it is given. When the home page is set, the result
// must read as JSON with the page as its home page (and at start, unless the file continues where
// it left off, which must stay as it was), setting it again must change nothing, and the number
// tokens must be those of the input, but for the values replaced and the ones written: every other
// number is kept exactly as written.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "browsers/JsonMembers.h"
#include "browsers/chromium/ChromiumHomePage.h"

namespace {

namespace browsers = lintavo::browsers;
namespace fuzz = lintavo::fuzz;
using Json = nlohmann::json;

constexpr const char* kUrl = "file:///home/ann/My%20Home%20Pages/my%20home%20page%201.htm";

bool IsNumberStart(char c) {
  return c == '-' || (c >= '0' && c <= '9');
}

bool IsNumberPart(char c) {
  return IsNumberStart(c) || c == '+' || c == '.' || c == 'e' || c == 'E';
}

// The number tokens of a JSON text, as written, outside its strings.
std::vector<std::string> NumberTokens(std::string_view json) {
  std::vector<std::string> tokens;
  for (std::size_t pos = 0; pos < json.size();) {
    if (json[pos] == '"') {
      for (++pos; pos < json.size() && json[pos] != '"'; ++pos) {
        pos += json[pos] == '\\' ? 1 : 0;
      }
      ++pos;
    } else if (IsNumberStart(json[pos])) {
      const std::size_t begin = pos;
      while (pos < json.size() && IsNumberPart(json[pos])) {
        ++pos;
      }
      tokens.emplace_back(json.substr(begin, pos - begin));
    } else {
      ++pos;
    }
  }
  return tokens;
}

// `from` without one of each token of `taken` (a multiset difference).
std::vector<std::string> Without(std::vector<std::string> from,
                                 const std::vector<std::string>& taken) {
  for (const std::string& token : taken) {
    const auto found = std::find(from.begin(), from.end(), token);
    fuzz::Expect(found != from.end(), "a replaced value's number is not in the input");
    from.erase(found);
  }
  return from;
}

std::vector<std::string> Sorted(std::vector<std::string> tokens) {
  std::sort(tokens.begin(), tokens.end());
  return tokens;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input = fuzz::AsText(data, size);
  // Any bytes: the member finder only has to stay within them.
  browsers::FindJsonMember(input, "session.restore_on_startup");
  browsers::WithJsonMember(input, "browser.show_home_button", "true");

  const auto edit = browsers::WithChromiumHomePage(input, kUrl);
  if (!edit) {
    return 0;
  }
  const Json root = Json::parse(edit->text, nullptr, false);
  fuzz::Expect(root.is_object(), "the edited file is no JSON object");
  fuzz::Expect(root.value("homepage", Json()) == kUrl, "the edited file has another home page");
  fuzz::Expect(root.value("homepage_is_newtabpage", Json()) == false,
               "the edited file's home page is the new-tab page");
  const Json browser = root.value("browser", Json());
  fuzz::Expect(browser.is_object() && browser.value("show_home_button", Json()) == true,
               "the edited file hides the Home button");
  const Json session = root.value("session", Json());
  fuzz::Expect(session.is_object(), "the edited file has no session settings");
  if (session.value("restore_on_startup", Json()) == browsers::kRestoreLastSession) {
    const Json before = Json::parse(input, nullptr, false);
    fuzz::Expect(before.value("session", Json()) == session,
                 "a session that is restored was changed");
  } else {
    fuzz::Expect(session.value("restore_on_startup", Json()) == browsers::kRestoreOnStartupUrls,
                 "the edited file does not open its start pages");
    fuzz::Expect(session.value("startup_urls", Json()) == Json::array({kUrl}),
                 "the edited file's start pages are not the page alone");
  }

  const auto again = browsers::WithChromiumHomePage(edit->text, kUrl);
  fuzz::Expect(again.has_value(), "the edited file cannot be edited again");
  fuzz::ExpectEqual("Preferences set a second time", edit->text, again->text);

  std::vector<std::string> replaced;
  std::vector<std::string> written;
  for (const browsers::PrefChange& change : edit->changes) {
    if (change.set) {
      const auto current = NumberTokens(change.current.value_or(""));
      replaced.insert(replaced.end(), current.begin(), current.end());
      const auto set = NumberTokens(*change.set);
      written.insert(written.end(), set.begin(), set.end());
    }
  }
  std::vector<std::string> expected = Without(NumberTokens(input), replaced);
  expected.insert(expected.end(), written.begin(), written.end());
  fuzz::Expect(Sorted(expected) == Sorted(NumberTokens(edit->text)),
               "a number was lost or rewritten");
  return 0;
}
