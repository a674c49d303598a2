#include "support/RecordingBrowser.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <sstream>
#include <thread>

namespace lintavo::test {

namespace fs = std::filesystem;

namespace {

constexpr const char* kRecordEnding = ".start";

std::vector<fs::path> Records(const std::string& folder) {
  std::vector<fs::path> records;
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (entry.path().extension() == kRecordEnding) {
      records.push_back(entry.path());
    }
  }
  std::sort(records.begin(), records.end());
  return records;
}

}  // namespace

RecordingBrowser::RecordingBrowser(const IsolatedHome& home)
    : starts_(home.Home() + "/browser-starts") {
  fs::create_directories(starts_);
  const std::string script = home.Home() + "/bin/recording browser";
  // Each start writes its own record aside and renames it into place, so a reader never sees
  // half of one, and starts close together never mix.
  WriteFileBytes(script, "#!/bin/sh\nrecord=\"" + starts_ +
                             "/$$\"\nfor a in \"$@\"; do echo \"$a\"; done > \"$record.part\" && "
                             "mv \"$record.part\" \"$record" +
                             kRecordEnding + "\"\n");
  fs::permissions(script, fs::perms::owner_all);
  WriteFileBytes(
      home.DataHome() + "/applications/recording-browser.desktop",
      "[Desktop Entry]\nType=Application\nName=Recording browser\nExec=\"" + script + "\" %u\n");
  WriteFileBytes(home.ConfigHome() + "/mimeapps.list",
                 "[Default Applications]\ntext/html=recording-browser.desktop\n");
}

std::vector<std::vector<std::string>> RecordingBrowser::AwaitStarts(std::size_t count) const {
  for (int attempt = 0; attempt < 200 && Records(starts_).size() < count; ++attempt) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  std::vector<std::vector<std::string>> starts;
  for (const fs::path& record : Records(starts_)) {
    std::istringstream lines(ReadFileBytes(record.string()));
    std::vector<std::string>& arguments = starts.emplace_back();
    for (std::string line; std::getline(lines, line);) {
      arguments.push_back(line);
    }
    fs::remove(record);
  }
  return starts;
}

std::vector<std::string> RecordingBrowser::AwaitArguments() const {
  std::vector<std::vector<std::string>> starts = AwaitStarts(1);
  return starts.empty() ? std::vector<std::string>() : starts.front();
}

}  // namespace lintavo::test
