// The browser location picker's snapshot of the open windows, with three browsers running (one
// Firefox profile, Chromium and Brave) and 500 tabs in all, each with a short history, in session
// files shaped like the ones the browsers write. Runs in a temporary home; the browsers count as
// running because their locks name this process.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <string>

#include "browsers/ShellWindows.h"
#include "support/BrowserSessions.h"
#include "support/TestEnvironment.h"

namespace {

namespace test = lintavo::test;

constexpr int kFirefoxTabs = 200;
constexpr int kChromiumTabs = 150;
constexpr int kBraveTabs = 150;
constexpr int kEntriesPerTab = 3;

std::string PageUrl(const std::string& site, int tab, int entry) {
  return "https://www." + site + ".example/articles/" + std::to_string(tab) + "/page-" +
         std::to_string(entry) + "?utm_source=start&ref=lintavo#section-2";
}

// One entry as Firefox writes it, with the fields that make up most of a real session file.
std::string FirefoxEntry(int tab, int entry) {
  const std::string id = std::to_string(tab * kEntriesPerTab + entry);
  return R"({"url":")" + PageUrl("firefox", tab, entry) + R"(","title":"Article )" + id +
         R"( - A long page title as sites write them","cacheKey":0,"ID":)" + id +
         R"(,"docshellUUID":"{8e160655-e72b-43f0-8182-35d22b365f13}","resultPrincipalURI":null,)"
         R"("hasUserInteraction":true,"triggeringPrincipal_base64":"{\"1\":{\"0\":\"https://www.)"
         R"(firefox.example/\"}}","docIdentifier":)" +
         id + R"(,"persist":true,"scroll":"0,1200","structuredCloneVersion":8})";
}

std::string FirefoxSession() {
  std::string tabs;
  for (int tab = 0; tab < kFirefoxTabs; ++tab) {
    std::string entries;
    for (int entry = 0; entry < kEntriesPerTab; ++entry) {
      entries += (entry == 0 ? "" : ",") + FirefoxEntry(tab, entry);
    }
    tabs += std::string(tab == 0 ? "" : ",") + R"({"entries":[)" + entries +
            R"(],"lastAccessed":1796876808643,"hidden":false,"attributes":{},"index":)" +
            std::to_string(kEntriesPerTab) + "}";
  }
  return test::MozLz4File(R"({"version":["sessionrestore",1],"windows":[{"tabs":[)" + tabs +
                          R"(],"selected":1,"_closedTabs":[],"width":1229,"height":691}],)"
                          R"("selectedWindow":1,"_closedWindows":[],"session":{"lastUpdate":1}})");
}

std::string ChromiumSession(const std::string& site, int tabCount) {
  test::SnssFile file;
  file.WindowType(1, 0);
  for (int tab = 0; tab < tabCount; ++tab) {
    file.TabWindow(1, 100 + tab).TabIndex(100 + tab, tab);
    for (int entry = 0; entry < kEntriesPerTab; ++entry) {
      file.Navigation(100 + tab, entry, PageUrl(site, tab, entry));
    }
    file.SelectedNavigation(100 + tab, kEntriesPerTab - 1);
  }
  return file.Marker().Bytes();
}

struct RunningBrowsers {
  RunningBrowsers() {
    test::AddFirefoxProfile(home.Home() + "/.mozilla/firefox", "bench.default", FirefoxSession(),
                            getpid());
    const std::string chromium = home.ConfigHome() + "/chromium";
    test::LockChromiumUserData(chromium, getpid());
    test::AddChromiumProfile(chromium, "Default", ChromiumSession("chromium", kChromiumTabs));
    const std::string brave = home.ConfigHome() + "/BraveSoftware/Brave-Browser";
    test::LockChromiumUserData(brave, getpid());
    test::AddChromiumProfile(brave, "Default", ChromiumSession("brave", kBraveTabs));
  }

  test::IsolatedHome home;
};

void BM_SnapshotOfThreeBrowsersWith500Tabs(benchmark::State& state) {
  static const RunningBrowsers browsers;
  for (auto _ : state) {
    const lintavo::browsers::ShellWindows windows = lintavo::browsers::ShellWindows::Snapshot();
    if (windows.Count() != kFirefoxTabs + kChromiumTabs + kBraveTabs) {
      state.SkipWithError("the snapshot does not list every tab");
      break;
    }
  }
}
BENCHMARK(BM_SnapshotOfThreeBrowsersWith500Tabs)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
