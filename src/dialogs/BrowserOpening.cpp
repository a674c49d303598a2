#include "dialogs/BrowserOpening.h"

#include "pages/ProductIdentity.h"
#include "pages/ShellRoutines.h"

namespace lintavo {

namespace {

constexpr const char* kCannotOpenWebSite =
    "The web site could not be opened: no web browser is set as the default for web pages. To "
    "visit it, open this address in your browser:";

}  // namespace

void OpenInBrowserOrSay(const std::string& address, const std::string& cannotOpen,
                        MessageService& messages) {
  if (!OpenInHtmlBrowser(address)) {
    messages.MessageDlg(cannotOpen + "\n\n" + address, MessageKind::Information,
                        MessageButtons::Ok);
  }
}

void OpenVendorWebSite(MessageService& messages) {
  OpenInBrowserOrSay(kVendorWebSite, kCannotOpenWebSite, messages);
}

}  // namespace lintavo
