#include "os/BrowserHomePages.h"

#include <algorithm>
#include <utility>

#include "base/Text.h"
#include "os/posix/BrowserLocks.h"
#include "os/posix/ChromiumHomePage.h"
#include "os/posix/ChromiumProfiles.h"
#include "os/posix/FirefoxHomePage.h"
#include "os/posix/FirefoxProfiles.h"
#include "os/posix/SeenFolders.h"
#include "os/posix/StartPageMirror.h"

namespace lintavo::os {

namespace {

constexpr const char* kFirefoxName = "Firefox";

// What the last write of the start page did. The program has one thread.
BrowserHomePageReport& LastReport() {
  static BrowserHomePageReport report;
  return report;
}

void AddOnce(std::vector<std::string>& names, const std::string& name) {
  if (std::find(names.begin(), names.end(), name) == names.end()) {
    names.push_back(name);
  }
}

// Names `browser` in the report as one profile's outcome says.
void Record(posix::HomePageOutcome outcome, const std::string& browser,
            BrowserHomePageReport& report) {
  switch (outcome) {
    case posix::HomePageOutcome::kSet:
      AddOnce(report.set, browser);
      break;
    case posix::HomePageOutcome::kSetAtNextStart:
      AddOnce(report.setAtNextStart, browser);
      break;
    case posix::HomePageOutcome::kNotSet:
      AddOnce(report.gaps.failed, browser);
      break;
    default:
      break;
  }
}

// "scheme:" in front, the scheme at least two characters long: a single letter is a Windows drive
// ("C:\Pages"), which no browser here can open.
bool StartsWithScheme(std::string_view text) {
  const std::size_t colon = text.find(':');
  if (colon == std::string_view::npos || colon < 2 || !base::IsAsciiLetter(text.front())) {
    return false;
  }
  return std::all_of(
      text.begin() + 1, text.begin() + static_cast<std::ptrdiff_t>(colon), [](char c) {
        return base::IsAsciiLetter(c) || base::IsAsciiDigit(c) || c == '+' || c == '-' || c == '.';
      });
}

// Bytes that stand for themselves in the path of a URL (RFC 3986: unreserved, sub-delims, ":",
// "@" and the "/" between segments). Everything else is percent-encoded: "%", "?" and "#" would
// change what the URL means, "|" separates Firefox's home pages, and the rest is not allowed.
bool StaysInPath(char c) {
  constexpr std::string_view kAllowed = "-._~!$&'()*+,;=:@/";
  return base::IsAsciiLetter(c) || base::IsAsciiDigit(c) ||
         kAllowed.find(c) != std::string_view::npos;
}

}  // namespace

namespace posix {

std::optional<std::string> HomePageUrl(std::string_view startPage) {
  if (startPage.empty() || std::any_of(startPage.begin(), startPage.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
      })) {
    return std::nullopt;
  }
  if (startPage.front() == '/') {
    std::string url = "file://";
    for (const char c : startPage) {
      if (StaysInPath(c)) {
        url += c;
      } else {
        url += base::PercentEncoded(std::string_view(&c, 1));
      }
    }
    return url;
  }
  if (StartsWithScheme(startPage)) {
    return std::string(startPage);
  }
  return std::nullopt;
}

// Every profile is changed once, however often the profile lists and the browsers' folders lead
// to it (os/posix/SeenFolders.h).
void MirrorStartPage(std::string_view startPage) {
  BrowserHomePageReport report;
  BrowserHomePageGaps& gaps = report.gaps;
  if (const auto url = HomePageUrl(startPage)) {
    SeenFolders profilesChanged;
    for (const std::string& root : FirefoxProfileRoots()) {
      for (const FirefoxProfile& profile : FirefoxProfiles(root)) {
        if (!profilesChanged.FirstVisit(profile.folder)) {
          continue;
        }
        const HomePageOutcome outcome = SetFirefoxHomePage(profile.folder, *url);
        if (outcome == HomePageOutcome::kPinnedByPerson) {
          AddOnce(gaps.firefoxProfilesWithOwnHomePage, profile.name);
        } else {
          Record(outcome, kFirefoxName, report);
        }
      }
    }
    for (const ChromiumBrowser& browser : ChromiumBrowsers()) {
      const std::vector<std::string> profiles =
          ChromiumSettingsProfileFolders(browser.userDataFolder);
      if (profiles.empty()) {
        continue;
      }
      if (ChromiumUserDataInUse(browser.userDataFolder)) {
        AddOnce(gaps.running, browser.name);
        continue;
      }
      for (const std::string& profile : profiles) {
        if (profilesChanged.FirstVisit(profile)) {
          Record(SetChromiumHomePage(profile, *url), browser.name, report);
        }
      }
    }
    // A browser open with one profile and closed with another takes the page up as it next
    // starts, and is named for that alone.
    std::erase_if(report.set, [&report](const std::string& name) {
      return std::find(report.setAtNextStart.begin(), report.setAtNextStart.end(), name) !=
             report.setAtNextStart.end();
    });
  } else {
    gaps.pageWithoutAddress = true;
  }
  LastReport() = std::move(report);
}

}  // namespace posix

BrowserHomePageReport BrowserHomePageReportOfLastWrite() {
  return LastReport();
}

void SettleBrowserHomePages() {
  posix::SeenFolders profilesSettled;
  for (const std::string& root : posix::FirefoxProfileRoots()) {
    for (const std::string& profile : posix::FirefoxProfileFolders(root)) {
      if (profilesSettled.FirstVisit(profile)) {
        posix::SettleFirefoxHomePage(profile);
      }
    }
  }
}

}  // namespace lintavo::os
