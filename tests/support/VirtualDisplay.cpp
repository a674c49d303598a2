#include "support/VirtualDisplay.h"

#include <chrono>
#include <filesystem>
#include <thread>
#include <vector>

namespace lintavo::test {

namespace fs = std::filesystem;

VirtualDisplay::VirtualDisplay(const std::string& logFolder) {
  for (int number = 90; number < 110 && !server_; ++number) {
    const std::string socket = "/tmp/.X11-unix/X" + std::to_string(number);
    if (fs::exists("/tmp/.X" + std::to_string(number) + "-lock") || fs::exists(socket)) {
      continue;
    }
    name_ = ":" + std::to_string(number);
    server_.emplace("Xvfb", std::vector<std::string>{name_, "-nolisten", "tcp"},
                    logFolder + "/xvfb.log");
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < giveUp && server_->Running() && !fs::exists(socket)) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (!server_->Running() || !fs::exists(socket)) {
      server_.reset();  // another server took the number first
    }
  }
}

}  // namespace lintavo::test
