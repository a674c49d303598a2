#pragma once

#include <chrono>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

namespace lintavo::test {

// A real browser, started headless with a fresh profile and driven through its own remote
// protocol: one tab that opens pages, takes key presses as a person's and answers questions about
// the page. Failures throw std::runtime_error; whatever the browser started ends with the object.
class PageBrowser {
 public:
  virtual ~PageBrowser() = default;

  // Opens `url` in the tab and returns once the page has loaded.
  virtual void Open(const std::string& url) = 0;
  // Presses and releases one key: a single character ("/", "a", "2") or "Enter", "Escape", "Tab".
  virtual void Press(std::string_view key) = 0;
  // Switches the pages' own scripts off or on in the tab, as a person may, for the pages opened
  // next; the questions of Evaluate are still answered. False when the browser's protocol has no
  // such command.
  virtual bool EnableScripts(bool enabled) = 0;
  // A picture of what the tab shows, as the bytes of a PNG file.
  virtual std::string Screenshot() = 0;

  // The value of the script expression `expression` in the page, carried over as JSON.
  nlohmann::json Evaluate(const std::string& expression);
  // Presses the key of each character of `text` in turn.
  void Type(std::string_view text);
  // The tab's address once it shows `expected` fully loaded, or the last address seen when it has
  // not got there within kArrivalBound (so that a failing test shows where the browser went).
  std::string LocationOnceItIs(const std::string& expected);

 protected:
  // The page's answer to `expression`, a script expression whose value is a JSON text.
  virtual std::string EvaluateToJson(const std::string& expression) = 0;
};

// Starts `executable` (Debian's `chromium`) headless, driven through the DevTools protocol; its
// profile and its log go to `profileFolder` and `profileFolder` + ".log".
std::unique_ptr<PageBrowser> StartChromium(const std::string& executable,
                                           const std::string& profileFolder);
// Starts `executable` (`firefox-esr`) headless, driven through WebDriver BiDi; its profile and its
// log go to `profileFolder` and `profileFolder` + ".log".
std::unique_ptr<PageBrowser> StartFirefox(const std::string& executable,
                                          const std::string& profileFolder);

// The file:// address of `path`, percent-encoded as browsers show it.
std::string FileUrl(const std::string& path);

// The bytes that base64 text `text` stands for (both protocols send pictures so).
std::string DecodeBase64(std::string_view text);

// How long a browser may take to start, to answer one command, or to arrive at a page. They bound
// waits only: an idle machine needs a second or two, but it may be busy with other builds.
inline constexpr auto kStartBound = std::chrono::seconds(60);
inline constexpr auto kAnswerBound = std::chrono::seconds(30);
inline constexpr auto kArrivalBound = std::chrono::seconds(15);

}  // namespace lintavo::test
