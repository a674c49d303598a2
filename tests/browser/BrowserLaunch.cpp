#include "browser/BrowserLaunch.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <thread>

#include "browser/PageBrowser.h"
#include "support/TestEnvironment.h"

namespace lintavo::test {

namespace {

constexpr auto kPollInterval = std::chrono::milliseconds(50);
constexpr std::size_t kLogTail = 3000;

}  // namespace

LaunchedBrowser::LaunchedBrowser(const std::string& executable,
                                 const std::vector<std::string>& arguments, std::string log)
    : logFile(std::move(log)), process(executable, arguments, logFile) {}

std::string LaunchedBrowser::AwaitFile(const std::string& path,
                                       const std::function<bool(const std::string&)>& complete) {
  const auto deadline = std::chrono::steady_clock::now() + kStartBound;
  while (std::chrono::steady_clock::now() < deadline) {
    if (std::filesystem::exists(path)) {
      const std::string content = ReadFileBytes(path);
      if (complete(content)) {
        return content;
      }
    }
    if (!process.Running()) {
      Fail("The browser ended before it listened");
    }
    std::this_thread::sleep_for(kPollInterval);
  }
  Fail("The browser did not listen in time");
}

void LaunchedBrowser::Fail(const std::string& what) const {
  const std::string log = std::filesystem::exists(logFile) ? ReadFileBytes(logFile) : "";
  throw std::runtime_error(what + ". The end of its output:\n" +
                           log.substr(log.size() - std::min(log.size(), kLogTail)));
}

}  // namespace lintavo::test
