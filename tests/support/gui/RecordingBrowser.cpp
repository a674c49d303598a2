#include "support/gui/RecordingBrowser.h"

#include <chrono>
#include <filesystem>
#include <sstream>
#include <thread>

namespace lintavo::test {

namespace fs = std::filesystem;

RecordingBrowser::RecordingBrowser(const IsolatedHome& home)
    : record_(home.Home() + "/browser-record.txt") {
  const std::string script = home.Home() + "/bin/recording browser";
  // The record appears whole (written aside, then renamed), so a reader never sees half of it.
  WriteFileBytes(script, "#!/bin/sh\nfor a in \"$@\"; do echo \"$a\"; done > \"" + record_ +
                             ".part\" && mv \"" + record_ + ".part\" \"" + record_ + "\"\n");
  fs::permissions(script, fs::perms::owner_all);
  WriteFileBytes(
      home.DataHome() + "/applications/recording-browser.desktop",
      "[Desktop Entry]\nType=Application\nName=Recording browser\nExec=\"" + script + "\" %u\n");
  WriteFileBytes(home.ConfigHome() + "/mimeapps.list",
                 "[Default Applications]\ntext/html=recording-browser.desktop\n");
}

std::vector<std::string> RecordingBrowser::AwaitArguments() const {
  for (int attempt = 0; attempt < 200 && !fs::exists(record_); ++attempt) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  std::vector<std::string> arguments;
  if (!fs::exists(record_)) {
    return arguments;
  }
  std::istringstream lines(ReadFileBytes(record_));
  for (std::string line; std::getline(lines, line);) {
    arguments.push_back(line);
  }
  fs::remove(record_);
  return arguments;
}

}  // namespace lintavo::test
