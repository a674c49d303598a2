#include "app/HomePageCommand.h"

#include <vector>

#include "base/PathText.h"
#include "os/PlatformWording.h"
#include "pages/BrowserChanges.h"
#include "pages/PageFiles.h"
#include "pages/ProductIdentity.h"

namespace lintavo {

namespace {

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

// The browsers that have the page now (browsers/BrowserHomePages.h), in one paragraph; empty when
// none has it.
std::string TakenParagraph(const browsers::BrowserHomePageReport& report) {
  std::string taken;
  if (!report.set.empty()) {
    taken = "The page is now the home page of " + NameList(report.set) + ".";
  }
  if (!report.setAtNextStart.empty()) {
    const bool one = report.setAtNextStart.size() == 1;
    taken += (taken.empty() ? "" : " ") + NameList(report.setAtNextStart) +
             (one ? " is open now and makes the page its home page when it next starts."
                  : " are open now and make the page their home page when they next start.");
  }
  return taken;
}

// What the person is told about the browsers that did not take the page, one paragraph for each
// kind of gap.
std::vector<std::string> GapParagraphs(const browsers::BrowserHomePageGaps& gaps) {
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
  return paragraphs;
}

// What the person is told after the page was given to the browsers: which have it now, then what
// kept the others from it. With no browser found at all, where the page is, so that they can make
// it their home page themselves.
std::string ReportMessage(const browsers::BrowserHomePageReport& report,
                          const std::string& pagePath) {
  std::vector<std::string> paragraphs = GapParagraphs(report.gaps);
  if (const std::string taken = TakenParagraph(report); !taken.empty()) {
    paragraphs.insert(paragraphs.begin(), taken);
  } else if (paragraphs.empty()) {
    paragraphs.push_back(
        "No browser was found to give the page to. To make it your home page, open it in your "
        "browser and choose it as the home page in the browser's settings. The page is the "
        "file\n\n" +
        pagePath);
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
  if (messages.MessageDlg(os::Wording().homePageConfirmation, MessageKind::Information,
                          MessageButtons::OkCancel) != kMessageResultOk) {
    return;
  }
  const std::string pagePath = base::JoinPath(rootFolder, PageFileName(position + 1));
  const browsers::BrowserHomePageReport report = SetBrowserHomePage(pagePath);
  // The person is told which browsers have the page now, and which could not take it and why, so
  // that the run never ends in silence.
  messages.MessageDlg(ReportMessage(report, pagePath), MessageKind::Information,
                      MessageButtons::Ok);
}

}  // namespace lintavo
