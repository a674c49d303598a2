// Firefox through WebDriver BiDi, its own remote protocol: the browser writes the port it listens
// on into its profile; one session drives the first tab, and keys go in as WebDriver key actions.
#include <filesystem>
#include <memory>
#include <stdexcept>

#include "browser/BrowserLaunch.h"
#include "browser/PageBrowser.h"
#include "browser/ProtocolConnection.h"

namespace lintavo::test {

namespace {

using nlohmann::json;

// WebDriver names the keys that type no character by code points of Unicode's private use area.
std::string KeyValue(std::string_view key) {
  if (key == "Enter") {
    return "\uE007";
  }
  if (key == "Escape") {
    return "\uE00C";
  }
  if (key == "Tab") {
    return "\uE004";
  }
  if (key.size() != 1) {
    throw std::invalid_argument("no such key: " + std::string(key));
  }
  return std::string(key);
}

class FirefoxBrowser final : public PageBrowser {
 public:
  FirefoxBrowser(const std::string& executable, const std::string& profileFolder);

  void Open(const std::string& url) override;
  void Press(std::string_view key) override;
  bool EnableScripts(bool enabled) override;
  std::string Screenshot() override;

 protected:
  std::string EvaluateToJson(const std::string& expression) override;

 private:
  // Sends one command and returns its result; events that arrive meanwhile are passed over.
  json Command(const std::string& method, const json& params);

  LaunchedBrowser browser_;
  std::unique_ptr<ProtocolConnection> connection_;
  std::string tab_;
};

// Firefox starts on a page of its own rather than about:blank, for which the address bar takes the
// keyboard's focus: so the tab has it, as it has when a person opens a start page, and `:focus`
// matches in the page. (Key presses reach the page either way.)
constexpr const char* kFirstPage = "data:text/html,<title>first page</title>";

// Firefox makes the profile's files in a folder that must exist.
const std::string& ExistingFolder(const std::string& folder) {
  std::filesystem::create_directories(folder);
  return folder;
}

FirefoxBrowser::FirefoxBrowser(const std::string& executable, const std::string& profileFolder)
    : browser_(executable,
               {"--headless", "--no-remote", "--profile", ExistingFolder(profileFolder),
                "--remote-debugging-port=0", "--window-size=1280,800", kFirstPage},
               profileFolder + ".log") {
  const json listening = json::parse(browser_.AwaitFile(
      profileFolder + "/WebDriverBiDiServer.json", [](const std::string& content) {
        return json::accept(content) && json::parse(content).contains("ws_port");
      }));
  connection_ =
      std::make_unique<ProtocolConnection>(listening.at("ws_port").get<int>(), "/session");
  Command("session.new", {{"capabilities", json::object()}});
  const json tabs = Command("browsingContext.getTree", {{"maxDepth", 0}}).at("contexts");
  if (tabs.empty()) {
    browser_.Fail("Firefox opened no tab");
  }
  tab_ = tabs.at(0).at("context").get<std::string>();
}

json FirefoxBrowser::Command(const std::string& method, const json& params) {
  const json answer = connection_->Call({{"method", method}, {"params", params}});
  if (answer.value("type", "") != "success") {
    throw std::runtime_error(method + ": " + answer.dump());
  }
  return answer.at("result");
}

void FirefoxBrowser::Open(const std::string& url) {
  Command("browsingContext.navigate", {{"context", tab_}, {"url", url}, {"wait", "complete"}});
  if (LocationOnceItIs(url) != url) {
    throw std::runtime_error("Firefox cannot open " + url);
  }
}

void FirefoxBrowser::Press(std::string_view key) {
  const std::string value = KeyValue(key);
  const json keyActions = {{"type", "key"},
                           {"id", "keyboard"},
                           {"actions", json::array({{{"type", "keyDown"}, {"value", value}},
                                                    {{"type", "keyUp"}, {"value", value}}})}};
  Command("input.performActions", {{"context", tab_}, {"actions", json::array({keyActions})}});
}

bool FirefoxBrowser::EnableScripts(bool enabled) {
  // A command of the WebDriver BiDi draft that Firefox ESR may not know yet.
  try {
    Command("emulation.setScriptingEnabled", {{"enabled", enabled ? json(nullptr) : json(false)},
                                              {"contexts", json::array({tab_})}});
  } catch (const std::runtime_error& error) {
    if (std::string_view(error.what()).find("unknown command") != std::string_view::npos) {
      return false;
    }
    throw;
  }
  return true;
}

std::string FirefoxBrowser::Screenshot() {
  return DecodeBase64(Command("browsingContext.captureScreenshot", {{"context", tab_}})
                          .at("data")
                          .get<std::string>());
}

std::string FirefoxBrowser::EvaluateToJson(const std::string& expression) {
  const json result = Command(
      "script.evaluate",
      {{"expression", expression}, {"target", {{"context", tab_}}}, {"awaitPromise", false}});
  if (result.at("type") != "success") {
    throw std::runtime_error("the page threw: " + result.dump());
  }
  return result.at("result").at("value").get<std::string>();
}

}  // namespace

std::unique_ptr<PageBrowser> StartFirefox(const std::string& executable,
                                          const std::string& profileFolder) {
  return std::make_unique<FirefoxBrowser>(executable, profileFolder);
}

}  // namespace lintavo::test
