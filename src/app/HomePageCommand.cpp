#include "app/HomePageCommand.h"

#include "os/PathText.h"
#include "pages/BrowserChanges.h"
#include "pages/PageFiles.h"

namespace lintavo {

namespace {

// The line breaks are LF CR, in that order, as the program has always shown them.
constexpr const char* kConfirmation =
    "Click OK to set the selected personal home page as your browser's default home page.\n\r"
    "If blocked by your anti-virus software, you will need to set manually by first viewing\n\r"
    "the personal home page and then setting as your home page via your browser's options";

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
  SetBrowserHomePage(os::JoinPath(rootFolder, PageFileName(position + 1)));
}

}  // namespace lintavo
