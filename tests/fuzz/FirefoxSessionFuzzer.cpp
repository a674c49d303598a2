// Fuzz target for Firefox's session files (sessionstore-backups/recovery.jsonlz4). An input that
// starts with the mozLz4 magic is the file itself: it is decoded and, when that works, read as a
// session. Any other input is the JSON inside such a file: the target compresses it into a file of
// its own, which must decode to exactly the input, and reads it as a session. Every tab read must
// be a browser window whose location is UTF-8, and one with a document must have a location.
#include <cstddef>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "browsers/BrowserFiles.h"
#include "browsers/firefox/FirefoxSession.h"
#include "browsers/firefox/MozLz4.h"
#include "support/BrowserSessions.h"

namespace {

namespace fuzz = lintavo::fuzz;
namespace browsers = lintavo::browsers;

constexpr std::string_view kMagic("mozLz40\0", 8);

bool IsUtf8(const std::string& text) {
  try {
    static_cast<void>(nlohmann::json(text).dump());
    return true;
  } catch (const nlohmann::json::type_error&) {
    return false;
  }
}

void CheckTabs(const std::string& json) {
  const auto tabs = browsers::FirefoxSessionTabs(json);
  if (!tabs) {
    return;
  }
  fuzz::Expect(tabs->size() <= browsers::kMaxTabsPerSession, "more tabs than the limit");
  for (const auto& tab : *tabs) {
    fuzz::Expect(tab.isWebBrowser, "a tab that is no browser window");
    fuzz::Expect(!tab.hasDocument || !tab.locationUrl.empty(), "a document without a location");
    fuzz::Expect(IsUtf8(tab.locationUrl),
                 "a location that is no UTF-8: " + fuzz::Printable(tab.locationUrl));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(fuzz::AsText(data, size));
  if (input.starts_with(kMagic)) {
    if (const auto json = browsers::DecodeMozLz4(input, browsers::kMaxBrowserFileSize)) {
      CheckTabs(*json);
    }
    return 0;
  }
  const auto decoded =
      browsers::DecodeMozLz4(lintavo::test::MozLz4File(input), browsers::kMaxBrowserFileSize);
  fuzz::Expect(decoded.has_value(), "a file made of the input does not decode");
  fuzz::ExpectEqual("decoded file", input, *decoded);
  CheckTabs(input);
  return 0;
}
