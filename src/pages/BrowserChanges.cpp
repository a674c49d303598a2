#include "pages/BrowserChanges.h"

#include <cstdint>
#include <optional>

#include "pages/BrowserSettings.h"
#include "pages/RegistryWriting.h"

namespace lintavo {

namespace {

// Remembers the lockdown value, when there is one, and switches the lockdown off so that the
// start page can be written. A key that cannot be opened or created is passed over.
std::optional<std::uint32_t> SaveAndClearLockdown() {
  auto key = CreateUserKey(kLocalMachineLockdownKey);
  if (!key) {
    return std::nullopt;
  }
  const std::optional<std::uint32_t> saved = QueryDWord(*key, kLocalMachineLockdownValue);
  SetDWordOrFail(*key, kLocalMachineLockdownValue, kLocalMachineLockdownOff);
  return saved;
}

// Writes back the value that SaveAndClearLockdown found. When there was none, the value stays as
// clearing it left it (0): the registry cannot be told to forget a value here, and writing any
// other number would invent a setting the user never had.
void RestoreLockdown(std::optional<std::uint32_t> saved) {
  if (!saved) {
    return;
  }
  if (auto key = CreateUserKey(kLocalMachineLockdownKey)) {
    SetDWordOrFail(*key, kLocalMachineLockdownValue, *saved);
  }
}

}  // namespace

browsers::BrowserHomePageReport SetBrowserHomePage(const std::string& pagePath) {
  const std::optional<std::uint32_t> savedLockdown = SaveAndClearLockdown();
  // A browser that never ran has no such key; the write then fails and the lockdown stays off.
  SetStringInExistingKey(kBrowserMainKey, kStartPageValue, pagePath);
  RestoreLockdown(savedLockdown);
  SetDWordInExistingKey(kTabbedBrowsingKey, kUseHomepageForNewTabValue, kShowHomePageInNewTabs);
  return browsers::SetHomePageInBrowsers(pagePath);
}

bool AllowActiveContentInLocalFiles() {
  auto key = CreateUserKey(kLocalMachineLockdownKey);
  if (!key) {
    return false;
  }
  SetDWordOrFail(*key, kLocalMachineLockdownValue, kLocalMachineLockdownOff);
  return true;
}

}  // namespace lintavo
