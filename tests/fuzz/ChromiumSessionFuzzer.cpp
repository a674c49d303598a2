// Fuzz target for Chromium's session files (Sessions/Session_<time>). The input is the file. Every
// tab read must be a browser window that has a document exactly when it has a location, and each
// location must be one that a navigation command of the file spells out.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "browsers/BrowserFiles.h"
#include "browsers/chromium/ChromiumSession.h"

namespace {

namespace fuzz = lintavo::fuzz;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input = fuzz::AsText(data, size);
  const auto tabs = lintavo::browsers::ChromiumSessionTabs(input);
  if (!tabs) {
    return 0;
  }
  fuzz::Expect(tabs->size() <= lintavo::browsers::kMaxTabsPerSession, "more tabs than the limit");
  for (const auto& tab : *tabs) {
    fuzz::Expect(tab.isWebBrowser, "a tab that is no browser window");
    fuzz::Expect(tab.hasDocument == !tab.locationUrl.empty(),
                 "a document without a location, or a location without one");
    fuzz::Expect(input.find(tab.locationUrl) != std::string_view::npos,
                 "a location the file does not hold: " + fuzz::Printable(tab.locationUrl));
  }
  return 0;
}
