#include "browsers/BrowserHomePages.h"

#include <algorithm>
#include <utility>

#include "base/Text.h"
#include "browsers/HomePageOutcome.h"
#include "browsers/SeenFolders.h"
#include "browsers/chromium/ChromiumHomePage.h"
#include "browsers/chromium/ChromiumProfiles.h"
#include "browsers/firefox/FirefoxHomePage.h"
#include "browsers/firefox/FirefoxProfiles.h"
#include "os/BrowserLocks.h"
#include "os/BrowserPlaces.h"

namespace lintavo::browsers {

namespace {

constexpr const char* kFirefoxName = "Firefox";

void AddOnce(std::vector<std::string>& names, const std::string& name) {
  if (std::find(names.begin(), names.end(), name) == names.end()) {
    names.push_back(name);
  }
}

// Names `browser` in the report as one profile's outcome says.
void Record(HomePageOutcome outcome, const std::string& browser, BrowserHomePageReport& report) {
  switch (outcome) {
    case HomePageOutcome::kSet:
      AddOnce(report.set, browser);
      break;
    case HomePageOutcome::kSetAtNextStart:
      AddOnce(report.setAtNextStart, browser);
      break;
    case HomePageOutcome::kNotSet:
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

std::optional<std::string> HomePageUrl(std::string_view page) {
  if (page.empty() || std::any_of(page.begin(), page.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
      })) {
    return std::nullopt;
  }
  if (page.front() == '/') {
    std::string url = "file://";
    for (const char c : page) {
      if (StaysInPath(c)) {
        url += c;
      } else {
        url += base::PercentEncoded(std::string_view(&c, 1));
      }
    }
    return url;
  }
  if (StartsWithScheme(page)) {
    return std::string(page);
  }
  return std::nullopt;
}

BrowserHomePageReport SetHomePageInBrowsers(std::string_view page) {
  BrowserHomePageReport report;
  BrowserHomePageGaps& gaps = report.gaps;
  if (const auto url = HomePageUrl(page)) {
    SeenFolders profilesChanged;
    for (const std::string& root : os::FirefoxProfileRoots()) {
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
    for (const os::ChromiumBrowser& browser : os::ChromiumBrowsers()) {
      const std::vector<std::string> profiles =
          ChromiumSettingsProfileFolders(browser.userDataFolder);
      if (profiles.empty()) {
        continue;
      }
      if (os::ChromiumUserDataInUse(browser.userDataFolder)) {
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
  return report;
}

void SettleBrowserHomePages() {
  SeenFolders profilesSettled;
  for (const std::string& root : os::FirefoxProfileRoots()) {
    for (const std::string& profile : FirefoxProfileFolders(root)) {
      if (profilesSettled.FirstVisit(profile)) {
        SettleFirefoxHomePage(profile);
      }
    }
  }
}

}  // namespace lintavo::browsers
