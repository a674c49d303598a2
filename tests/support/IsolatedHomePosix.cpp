#include <array>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "support/TestEnvironment.h"

// On a freedesktop system the program finds the person's folders through HOME and the XDG
// variables, so the isolated home is a matter of the environment.

namespace lintavo::test {

namespace fs = std::filesystem;

namespace {

constexpr std::array kIsolatedVariables = {
    "HOME",          "XDG_CONFIG_HOME",    "XDG_DATA_HOME", "XDG_RUNTIME_DIR", "XDG_CONFIG_DIRS",
    "XDG_DATA_DIRS", "XDG_CURRENT_DESKTOP"};

}  // namespace

struct IsolatedHome::SavedVariables {
  std::vector<std::pair<std::string, std::optional<std::string>>> values;
};

IsolatedHome::IsolatedHome() : saved_(std::make_unique<SavedVariables>()) {
  for (const char* name : kIsolatedVariables) {
    const char* value = std::getenv(name);
    saved_->values.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
    SetVariable(name, std::nullopt);
  }
  fs::create_directories(ConfigHome());
  fs::create_directories(DataHome());
  fs::create_directories(RuntimeDir());
  fs::permissions(RuntimeDir(), fs::perms::owner_all, fs::perm_options::replace);
  SetVariable("HOME", Home());
  SetVariable("XDG_CONFIG_HOME", ConfigHome());
  SetVariable("XDG_DATA_HOME", DataHome());
  SetVariable("XDG_RUNTIME_DIR", RuntimeDir());
  // No system-wide MIME or desktop files may answer for the test's own.
  SetVariable("XDG_CONFIG_DIRS", (root_.Path() / "etc-xdg").string());
  SetVariable("XDG_DATA_DIRS", (root_.Path() / "usr-share").string());
}

IsolatedHome::~IsolatedHome() {
  for (const auto& [name, value] : saved_->values) {
    SetVariable(name, value);
  }
}

void SetVariable(const std::string& name, const std::optional<std::string>& value) {
  if (value) {
    setenv(name.c_str(), value->c_str(), 1);
  } else {
    unsetenv(name.c_str());
  }
}

}  // namespace lintavo::test
