#include "support/TestEnvironment.h"

#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <fstream>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <utility>
#include <vector>

namespace lintavo::test {

namespace fs = std::filesystem;

namespace {

constexpr std::array kIsolatedVariables = {
    "HOME",          "XDG_CONFIG_HOME",    "XDG_DATA_HOME", "XDG_RUNTIME_DIR", "XDG_CONFIG_DIRS",
    "XDG_DATA_DIRS", "XDG_CURRENT_DESKTOP"};

}  // namespace

TempFolder::TempFolder() {
  std::string pattern = (fs::temp_directory_path() / "lintavo-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) {
    throw std::runtime_error("cannot create a temporary folder");
  }
  path_ = pattern;
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  // Tests may leave read-only folders behind; make them writable so they can be removed.
  for (auto it = fs::recursive_directory_iterator(path_, ignored);
       it != fs::recursive_directory_iterator(); it.increment(ignored)) {
    fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
  }
  fs::remove_all(path_, ignored);
}

struct IsolatedHome::SavedVariables {
  std::vector<std::pair<std::string, std::optional<std::string>>> values;
};

IsolatedHome::IsolatedHome() : saved_(new SavedVariables) {
  for (const char* name : kIsolatedVariables) {
    const char* value = getenv(name);
    saved_->values.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
    unsetenv(name);
  }
  fs::create_directories(ConfigHome());
  fs::create_directories(DataHome());
  fs::create_directories(RuntimeDir());
  fs::permissions(RuntimeDir(), fs::perms::owner_all, fs::perm_options::replace);
  setenv("HOME", Home().c_str(), 1);
  setenv("XDG_CONFIG_HOME", ConfigHome().c_str(), 1);
  setenv("XDG_DATA_HOME", DataHome().c_str(), 1);
  setenv("XDG_RUNTIME_DIR", RuntimeDir().c_str(), 1);
  // No system-wide MIME or desktop files may answer for the test's own.
  setenv("XDG_CONFIG_DIRS", (root_.Path() / "etc-xdg").c_str(), 1);
  setenv("XDG_DATA_DIRS", (root_.Path() / "usr-share").c_str(), 1);
}

IsolatedHome::~IsolatedHome() {
  for (const auto& [name, value] : saved_->values) {
    if (value) {
      setenv(name.c_str(), value->c_str(), 1);
    } else {
      unsetenv(name.c_str());
    }
  }
  delete saved_;
}

std::vector<std::string> FolderContent(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    throw std::runtime_error("cannot read " + path);
  }
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) {
    throw std::runtime_error("cannot write " + path);
  }
}

std::string FixturePath(const std::string& name) {
  return std::string(LINTAVO_FIXTURES_DIR) + "/" + name;
}

}  // namespace lintavo::test
