// Chromium through its DevTools protocol: the browser writes the port it listens on into its
// profile; the tab is attached as a session, and keys go in as the window's own key events.
#include <cctype>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "browser/BrowserLaunch.h"
#include "browser/PageBrowser.h"
#include "browser/ProtocolConnection.h"

namespace lintavo::test {

namespace {

using nlohmann::json;

// What Chromium needs to know of a key press: the key, the physical key, the character it types
// (if any) and the Windows key code, from which Chromium derives the rest.
struct KeyEvent {
  std::string key;
  std::string code;
  std::string text;
  int windowsKeyCode = 0;
};

// The Windows key codes of the keys of "/" and "=" on a US keyboard (VK_OEM_2, VK_OEM_PLUS).
constexpr int kSlashKeyCode = 191;
constexpr int kEqualsKeyCode = 187;

KeyEvent DescribeKey(std::string_view key) {
  if (key == "Enter") {
    return {"Enter", "Enter", "\r", '\r'};
  }
  if (key == "Escape") {
    return {"Escape", "Escape", "", 27};
  }
  if (key == "Tab") {
    return {"Tab", "Tab", "", '\t'};
  }
  if (key.size() != 1) {
    throw std::invalid_argument("no such key: " + std::string(key));
  }
  const auto character = static_cast<unsigned char>(key[0]);
  KeyEvent event{std::string(key), "", std::string(key), 0};
  if (std::isalpha(character)) {
    const auto upper = static_cast<char>(std::toupper(character));
    event.code = std::string("Key") + upper;
    event.windowsKeyCode = upper;
  } else if (std::isdigit(character)) {
    event.code = std::string("Digit") + key[0];
    event.windowsKeyCode = character;
  } else if (character == ' ') {
    event.code = "Space";
    event.windowsKeyCode = ' ';
  } else if (character == '/') {
    event.code = "Slash";
    event.windowsKeyCode = kSlashKeyCode;
  } else if (character == '=') {
    event.code = "Equal";
    event.windowsKeyCode = kEqualsKeyCode;
  } else {
    throw std::invalid_argument("no key for: " + std::string(key));
  }
  return event;
}

class ChromiumBrowser final : public PageBrowser {
 public:
  ChromiumBrowser(const std::string& executable, const std::string& profileFolder);

  void Open(const std::string& url) override;
  void Press(std::string_view key) override;
  bool EnableScripts(bool enabled) override;
  std::string Screenshot() override;

 protected:
  std::string EvaluateToJson(const std::string& expression) override;

 private:
  // Sends one command, to the tab unless `toBrowser`, and returns its result; events that arrive
  // meanwhile are passed over.
  json Command(const std::string& method, const json& params, bool toBrowser = false);

  LaunchedBrowser browser_;
  std::unique_ptr<ProtocolConnection> connection_;
  std::string tabSession_;
};

std::vector<std::string> Arguments(const std::string& profileFolder) {
  // The sandbox needs kernel namespaces that containers and root do without (as in the session
  // tests of tests/browsers/posix); the pages are the test's own files.
  return {"--headless",
          "--no-sandbox",
          "--no-first-run",
          "--no-default-browser-check",
          "--disable-background-networking",
          "--disable-component-update",
          "--disable-sync",
          "--password-store=basic",
          "--user-data-dir=" + profileFolder,
          "--remote-debugging-port=0",
          "--window-size=1280,800",
          "about:blank"};
}

ChromiumBrowser::ChromiumBrowser(const std::string& executable, const std::string& profileFolder)
    : browser_(executable, Arguments(profileFolder), profileFolder + ".log") {
  // "DevToolsActivePort" holds the port and, on the next line, the browser's WebSocket path.
  std::istringstream listening(browser_.AwaitFile(
      profileFolder + "/DevToolsActivePort",
      [](const std::string& content) { return content.find("/devtools/") != std::string::npos; }));
  int port = 0;
  std::string path;
  listening >> port >> path;
  connection_ = std::make_unique<ProtocolConnection>(port, path);

  // A tab of our own, so that it does not matter whether the first one is there yet.
  const json tab = Command("Target.createTarget", {{"url", "about:blank"}}, true);
  tabSession_ =
      Command("Target.attachToTarget", {{"targetId", tab.at("targetId")}, {"flatten", true}}, true)
          .at("sessionId")
          .get<std::string>();
  // A headless window never has the system's focus; the page behaves as if it had.
  Command("Emulation.setFocusEmulationEnabled", {{"enabled", true}});
}

json ChromiumBrowser::Command(const std::string& method, const json& params, bool toBrowser) {
  json command = {{"method", method}, {"params", params}};
  if (!toBrowser) {
    command["sessionId"] = tabSession_;
  }
  const json answer = connection_->Call(command);
  if (answer.contains("error")) {
    throw std::runtime_error(method + ": " + answer["error"].dump());
  }
  return answer.at("result");
}

void ChromiumBrowser::Open(const std::string& url) {
  const json result = Command("Page.navigate", {{"url", url}});
  if (!result.value("errorText", "").empty() || LocationOnceItIs(url) != url) {
    throw std::runtime_error("Chromium cannot open " + url + ": " + result.dump());
  }
}

void ChromiumBrowser::Press(std::string_view key) {
  const KeyEvent event = DescribeKey(key);
  json params = {{"key", event.key},
                 {"code", event.code},
                 {"windowsVirtualKeyCode", event.windowsKeyCode},
                 {"nativeVirtualKeyCode", event.windowsKeyCode}};
  // A key that types a character goes down as "keyDown" with its text, which makes Chromium type
  // it; the others as "rawKeyDown".
  params["type"] = event.text.empty() ? "rawKeyDown" : "keyDown";
  if (!event.text.empty()) {
    params["text"] = event.text;
  }
  Command("Input.dispatchKeyEvent", params);
  params.erase("text");
  params["type"] = "keyUp";
  Command("Input.dispatchKeyEvent", params);
}

bool ChromiumBrowser::EnableScripts(bool enabled) {
  Command("Emulation.setScriptExecutionDisabled", {{"value", !enabled}});
  return true;
}

std::string ChromiumBrowser::Screenshot() {
  return DecodeBase64(
      Command("Page.captureScreenshot", {{"format", "png"}}).at("data").get<std::string>());
}

std::string ChromiumBrowser::EvaluateToJson(const std::string& expression) {
  const json result =
      Command("Runtime.evaluate", {{"expression", expression}, {"returnByValue", true}});
  if (result.contains("exceptionDetails")) {
    throw std::runtime_error("the page threw: " + result["exceptionDetails"].dump());
  }
  return result.at("result").at("value").get<std::string>();
}

}  // namespace

std::unique_ptr<PageBrowser> StartChromium(const std::string& executable,
                                           const std::string& profileFolder) {
  return std::make_unique<ChromiumBrowser>(executable, profileFolder);
}

}  // namespace lintavo::test
