#include "os/BrowserHomePages.h"

#include <algorithm>
#include <utility>

#include "os/Text.h"
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

// What the last write of the start page left out. The program has one thread.
BrowserHomePageGaps& LastGaps() {
  static BrowserHomePageGaps gaps;
  return gaps;
}

void AddOnce(std::vector<std::string>& names, const std::string& name) {
  if (std::find(names.begin(), names.end(), name) == names.end()) {
    names.push_back(name);
  }
}

bool IsAsciiLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsAsciiDigit(char c) {
  return c >= '0' && c <= '9';
}

// "scheme:" in front, the scheme at least two characters long: a single letter is a Windows drive
// ("C:\Pages"), which no browser here can open.
bool StartsWithScheme(std::string_view text) {
  const std::size_t colon = text.find(':');
  if (colon == std::string_view::npos || colon < 2 || !IsAsciiLetter(text.front())) {
    return false;
  }
  return std::all_of(
      text.begin() + 1, text.begin() + static_cast<std::ptrdiff_t>(colon), [](char c) {
        return IsAsciiLetter(c) || IsAsciiDigit(c) || c == '+' || c == '-' || c == '.';
      });
}

// Bytes that stand for themselves in the path of a URL (RFC 3986: unreserved, sub-delims, ":",
// "@" and the "/" between segments). Everything else is percent-encoded: "%", "?" and "#" would
// change what the URL means, "|" separates Firefox's home pages, and the rest is not allowed.
bool StaysInPath(char c) {
  constexpr std::string_view kAllowed = "-._~!$&'()*+,;=:@/";
  return IsAsciiLetter(c) || IsAsciiDigit(c) || kAllowed.find(c) != std::string_view::npos;
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
        url += PercentEncoded(std::string_view(&c, 1));
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
  BrowserHomePageGaps gaps;
  if (const auto url = HomePageUrl(startPage)) {
    SeenFolders profilesChanged;
    for (const std::string& root : FirefoxProfileRoots()) {
      for (const FirefoxProfile& profile : FirefoxProfiles(root)) {
        if (!profilesChanged.FirstVisit(profile.folder)) {
          continue;
        }
        switch (SetFirefoxHomePage(profile.folder, *url)) {
          case HomePageOutcome::kNotSet:
            AddOnce(gaps.failed, kFirefoxName);
            break;
          case HomePageOutcome::kPinnedByPerson:
            AddOnce(gaps.firefoxProfilesWithOwnHomePage, profile.name);
            break;
          default:
            break;
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
        if (profilesChanged.FirstVisit(profile) &&
            SetChromiumHomePage(profile, *url) == HomePageOutcome::kNotSet) {
          AddOnce(gaps.failed, browser.name);
        }
      }
    }
  } else {
    gaps.pageWithoutAddress = true;
  }
  LastGaps() = std::move(gaps);
}

}  // namespace posix

BrowserHomePageGaps BrowserHomePageGapsOfLastWrite() {
  return LastGaps();
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
