#include "app/HomePageCommand.h"

#include <vector>

#include "os/BrowserHomePages.h"
#include "os/PathText.h"
#include "pages/BrowserChanges.h"
#include "pages/PageFiles.h"
#include "pages/ProductIdentity.h"

namespace lintavo {

namespace {

// The line breaks are LF CR, in that order, as the program has always shown them.
constexpr const char* kConfirmation =
    "Click OK to set the selected personal home page as your browser's default home page.\n\r"
    "If blocked by your anti-virus software, you will need to set manually by first viewing\n\r"
    "the personal home page and then setting as your home page via your browser's options";

// "A", "A and B", "A, B and C".
std::string NameList(const std::vector<std::string>& names) {
  std::string list;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (i > 0) {
      list += i + 1 == names.size() ? " and " : ", ";
    }
    list += names[i];
  }
  return list;
}

// "A", "A and B", "A, B and C", each in double quotes.
std::string QuotedNameList(const std::vector<std::string>& names) {
  std::vector<std::string> quoted;
  for (const std::string& name : names) {
    quoted.push_back("\"" + name + "\"");
  }
  return NameList(quoted);
}

// What the person is told about the browsers that did not take the page (os/BrowserHomePages.h),
// one paragraph for each kind of gap.
std::string GapsMessage(const os::BrowserHomePageGaps& gaps) {
  std::vector<std::string> paragraphs;
  if (gaps.pageWithoutAddress) {
    paragraphs.push_back(
        "The path of the page's folder holds a character that a browser's address cannot carry "
        "(a tab or another control character), so no browser was changed.");
  }
  if (!gaps.running.empty()) {
    const bool one = gaps.running.size() == 1;
    paragraphs.push_back("Please close " + NameList(gaps.running) +
                         " and press \"Set selected page as your browser's home page\" again. " +
                         (one ? "It keeps its own home page while it runs."
                              : "They keep their own home page while they run."));
  }
  if (!gaps.firefoxProfilesWithOwnHomePage.empty()) {
    const bool one = gaps.firefoxProfilesWithOwnHomePage.size() == 1;
    paragraphs.push_back(
        (one ? "Firefox profile " : "Firefox profiles ") +
        QuotedNameList(gaps.firefoxProfilesWithOwnHomePage) +
        (one ? " sets its home page in user.js, which Firefox reads at every start; " +
                   std::string(kProductName) + " left it as it is."
             : " set their home page in user.js, which Firefox reads at every start; " +
                   std::string(kProductName) + " left them as they are."));
  }
  if (!gaps.failed.empty()) {
    const bool one = gaps.failed.size() == 1;
    paragraphs.push_back(
        "The page could not be made the home page of " + NameList(gaps.failed) + ": " +
        (one ? "its settings could not be read or written, and were left as they were."
             : "their settings could not be read or written, and were left as they were."));
  }
  std::string text;
  for (const std::string& paragraph : paragraphs) {
    text += (text.empty() ? "" : "\n\n") + paragraph;
  }
  return text;
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
  SetBrowserHomePage(os::JoinPath(rootFolder, PageFileName(position + 1)));
  // The registry holds the page now. A browser that reads its own settings instead (on Linux) and
  // could not take the page is named, so that the run does not end in a silent non-change.
  const os::BrowserHomePageGaps gaps = os::BrowserHomePageGapsOfLastWrite();
  if (!gaps.Empty()) {
    messages.MessageDlg(GapsMessage(gaps), MessageKind::Information, MessageButtons::Ok);
  }
}

}  // namespace lintavo
