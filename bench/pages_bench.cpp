// The page store's hot paths with ten full pages: loading them, and saving and generating them
// with a 30 KB template. Runs in a temporary home so the real one is never touched.
#include <benchmark/benchmark.h>

#include <string>

#include "pages/PageFiles.h"
#include "pages/WebManager.h"
#include "support/TestEnvironment.h"

namespace {

using lintavo::TWebManager;

// A home and a program folder of their own, removed when the benchmark ends.
struct BenchFolders {
  lintavo::test::IsolatedHome home;
  lintavo::test::TempFolder program;

  std::string ProgramFolder() const { return program.Path().string() + "/"; }
  std::string ConfigFile() const { return home.ConfigHome() + "/config.ini"; }
};

// A template in the shape of a real one: a style sheet, the navigation, the 6 × 8 link table
// with its column headers, and the message rows, padded out with style rules to 30 KB.
std::string ThirtyKilobyteTemplate() {
  std::string text =
      "<html>\n<head>\n<title><RD>NAME</RD></title>\n<style>\n"
      "body { background: url(<RD>BACKGROUND</RD>); color: <RD>FONTCOLOR</RD>; }\n"
      "h1 { color: <RD>TITLECOLOR</RD>; }\n";
  std::string body = "</style>\n</head>\n<body>\n<h1><RD>NAME</RD></h1>\n<nav>\n";
  for (int k = 1; k <= 10; ++k) {
    const std::string n = std::to_string(k);
    body += "<a href=\"my home page " + n + ".htm\" style=\"color: <RD>OVERCOLOR" + n +
            "</RD>\"><RD>HOMEPAGE" + n + "</RD></a>\n";
  }
  body += "</nav>\n<table>\n<tr>";
  for (int c = 1; c <= 8; ++c) {
    body += "<th id=\"" + std::to_string(c) + "\" width=\"120\"></th>";
  }
  body += "</tr>\n";
  for (int r = 1; r <= 6; ++r) {
    body += "<tr>\n";
    for (int c = 1; c <= 8; ++c) {
      const std::string cell = std::to_string(r) + std::to_string(c);
      body += "  <td class=\"cell\"><a class=\"link\" href=\"<RD>TARGET" + cell +
              "</RD>\"><RD>CAPTION" + cell + "</RD></a></td>\n";
    }
    body += "</tr>\n";
  }
  body += "<RD>MSG</RD>\n</table>\n</body>\n</html>\n";
  for (int rule = 0; text.size() + body.size() < 30 * 1024; ++rule) {
    text += ".rule" + std::to_string(rule) + " { margin: 0 4px; padding: 2px; border: 0; }\n";
  }
  return text + body;
}

std::string FullConfig() {
  std::string text;
  for (int n = 1; n <= lintavo::kPageCount; ++n) {
    text += "[HOMEPAGE-" + std::to_string(n) + "]\r\nName=Start page number " + std::to_string(n) +
            "\r\nTextColor=#C0C0C0\r\nTitleColor=#00FF80\r\n";
    for (int r = 1; r <= 6; ++r) {
      for (int c = 1; c <= 8; ++c) {
        const std::string cell = std::to_string(r) + "-" + std::to_string(c);
        text += "Caption-" + cell + "-1=Link " + cell + "\r\nCaption-" + cell +
                "-2=second line\r\nTarget-" + cell + "=https://www.example.org/some/path/" + cell +
                "?query=value\r\n";
      }
    }
  }
  return text;
}

const BenchFolders& Folders() {
  static const BenchFolders folders;
  static const bool prepared = [] {
    lintavo::test::WriteFileBytes(folders.ConfigFile(), FullConfig());
    lintavo::test::WriteFileBytes(folders.ProgramFolder() + "template.htm",
                                  ThirtyKilobyteTemplate());
    return true;
  }();
  static_cast<void>(prepared);
  return folders;
}

void BM_LoadTenFullPages(benchmark::State& state) {
  const BenchFolders& folders = Folders();
  for (auto _ : state) {
    TWebManager store(folders.ConfigFile(), folders.ProgramFolder());
    benchmark::DoNotOptimize(store.Pages);
  }
}
BENCHMARK(BM_LoadTenFullPages)->Unit(benchmark::kMillisecond);

// Every round renames all ten pages, so the settings file and all ten pages (whose navigation
// shows every name) really change and are written: the most a save can cost.
void BM_SaveAndGenerateTenFullPages(benchmark::State& state) {
  const BenchFolders& folders = Folders();
  TWebManager store(folders.ConfigFile(), folders.ProgramFolder());
  int round = 0;
  for (auto _ : state) {
    ++round;
    for (auto& [key, page] : store.Pages) {
      page.Name =
          "Start page " + std::to_string(page.PageNumber) + " (" + std::to_string(round) + ")";
    }
    store.SavePages();
    store.GeneratePages();
  }
}
BENCHMARK(BM_SaveAndGenerateTenFullPages)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
