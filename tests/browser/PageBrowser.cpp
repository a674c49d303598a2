#include "browser/PageBrowser.h"

#include <cctype>
#include <cstdio>
#include <stdexcept>
#include <thread>

namespace lintavo::test {

namespace {

constexpr auto kPollInterval = std::chrono::milliseconds(50);

}  // namespace

nlohmann::json PageBrowser::Evaluate(const std::string& expression) {
  // Inside a list, even an undefined value has a JSON text (null).
  return nlohmann::json::parse(EvaluateToJson("JSON.stringify([" + expression + "])")).at(0);
}

void PageBrowser::Type(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    Press(text.substr(i, 1));
  }
}

std::string PageBrowser::LocationOnceItIs(const std::string& expected) {
  const auto deadline = std::chrono::steady_clock::now() + kArrivalBound;
  std::string seen;
  while (std::chrono::steady_clock::now() < deadline) {
    try {
      const nlohmann::json state = Evaluate("[location.href, document.readyState]");
      seen = state.at(0).get<std::string>();
      if (seen == expected && state.at(1) == "complete") {
        return seen;
      }
    } catch (const std::exception&) {
      // The page is being replaced; the next one answers shortly.
    }
    std::this_thread::sleep_for(kPollInterval);
  }
  return seen;
}

std::string FileUrl(const std::string& path) {
  std::string url = "file://";
  for (const char character : path) {
    const auto byte = static_cast<unsigned char>(character);
    if (std::isalnum(byte) || std::string_view("/-._~").find(character) != std::string::npos) {
      url += character;
    } else {
      char escaped[4];
      std::snprintf(escaped, sizeof escaped, "%%%02X", byte);
      url += escaped;
    }
  }
  return url;
}

std::string DecodeBase64(std::string_view text) {
  constexpr std::string_view kDigits =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string bytes;
  unsigned bits = 0;
  int count = 0;
  for (const char character : text) {
    if (character == '=') {
      break;
    }
    const std::size_t digit = kDigits.find(character);
    if (digit == std::string_view::npos) {
      throw std::runtime_error("not base64: " + std::string(text.substr(0, 40)));
    }
    bits = (bits << 6 | static_cast<unsigned>(digit)) & 0xffffff;
    count += 6;
    if (count >= 8) {
      count -= 8;
      bytes += static_cast<char>(bits >> count & 0xff);
    }
  }
  return bytes;
}

}  // namespace lintavo::test
