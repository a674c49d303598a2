// Times the settings-file engine on the work the page store gives it: one load followed by a
// read of every page key, and a save of every page key into a new file. The page count is the
// argument; the program keeps ten pages, the larger counts show that the work grows linearly.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "os/ProfileFile.h"
#include "support/TestEnvironment.h"

namespace {

namespace fs = std::filesystem;

struct PageKey {
  std::string section;
  std::string key;
  std::string value;
};

// The keys of `pageCount` pages, 147 each, with values like the ones people type.
std::vector<PageKey> PageKeys(int pageCount) {
  std::vector<PageKey> keys;
  for (int page = 1; page <= pageCount; ++page) {
    const std::string section = "HOMEPAGE-" + std::to_string(page);
    keys.push_back({section, "Name", "Start page " + std::to_string(page)});
    keys.push_back({section, "TextColor", "#1F2E3D"});
    keys.push_back({section, "TitleColor", "#FFEEDD"});
    for (int row = 1; row <= 6; ++row) {
      for (int column = 1; column <= 8; ++column) {
        const std::string cell = std::to_string(row) + "-" + std::to_string(column);
        keys.push_back({section, "Caption-" + cell + "-1", "Link " + cell});
        keys.push_back({section, "Caption-" + cell + "-2", "second line " + cell});
        keys.push_back({section, "Target-" + cell, "https://example.com/page/" + cell});
      }
    }
  }
  return keys;
}

void SaveAll(const std::string& path, const std::vector<PageKey>& keys) {
  lintavo::ProfileFile profile = lintavo::ProfileFile::Load(path);
  for (const PageKey& key : keys) {
    profile.WriteString(key.section, key.key, key.value);
  }
  profile.Save();
}

void BM_LoadAndReadAllPageKeys(benchmark::State& state) {
  const lintavo::test::TempFolder folder;
  const std::string path = folder / "config.ini";
  const std::vector<PageKey> keys = PageKeys(static_cast<int>(state.range(0)));
  SaveAll(path, keys);
  for (auto _ : state) {
    const lintavo::ProfileFile profile = lintavo::ProfileFile::Load(path);
    for (const PageKey& key : keys) {
      benchmark::DoNotOptimize(profile.ReadString(key.section, key.key, ""));
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(keys.size()));
  state.SetComplexityN(static_cast<std::int64_t>(keys.size()));
}
BENCHMARK(BM_LoadAndReadAllPageKeys)->Arg(10)->Arg(20)->Arg(40)->Arg(80)->Complexity();

// Save flushes the file to disk, so this includes the time the disk takes.
void BM_WriteAllPageKeysIntoANewFileAndSave(benchmark::State& state) {
  const lintavo::test::TempFolder folder;
  const std::string path = folder / "config.ini";
  const std::vector<PageKey> keys = PageKeys(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    fs::remove(path);
    state.ResumeTiming();
    SaveAll(path, keys);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(keys.size()));
  state.SetComplexityN(static_cast<std::int64_t>(keys.size()));
}
BENCHMARK(BM_WriteAllPageKeysIntoANewFileAndSave)
    ->Arg(10)
    ->Arg(20)
    ->Arg(40)
    ->Arg(80)
    ->Complexity()
    ->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
