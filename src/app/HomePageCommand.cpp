#include "app/HomePageCommand.h"

#include <cstdint>
#include <optional>

#include "dialogs/BrowserSettings.h"
#include "dialogs/RegistryWriting.h"
#include "pages/PageFiles.h"

namespace lintavo {

namespace {

// The line breaks are LF CR, in that order, as the program has always shown them.
constexpr const char* kConfirmation =
    "Click OK to set the selected personal home page as your browser's default home page.\n\r"
    "If blocked by your anti-virus software, you will need to set manually by first viewing\n\r"
    "the personal home page and then setting as your home page via your browser's options";

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

void SetSelectedPageAsHomePage(int position, const std::string& rootFolder,
                               MessageService& messages) {
  if (position < 0 || position >= kPageCount) {
    messages.MessageDlg(kNoPageSelected, MessageKind::Information, MessageButtons::Ok);
    return;
  }
  if (messages.MessageDlg(kConfirmation, MessageKind::Information, MessageButtons::OkCancel) !=
      kMessageResultOk) {
    return;
  }
  const std::string pagePath = PathInFolder(rootFolder, PageFileName(position + 1));

  const std::optional<std::uint32_t> savedLockdown = SaveAndClearLockdown();
  // A browser that never ran has no such key; the write then fails and the lockdown stays off.
  SetStringInExistingKey(kBrowserMainKey, kStartPageValue, pagePath);
  RestoreLockdown(savedLockdown);
  SetDWordInExistingKey(kTabbedBrowsingKey, kUseHomepageForNewTabValue, kShowHomePageInNewTabs);
}

}  // namespace lintavo
