#include <windows.h>

#include <cstdlib>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "support/TestEnvironment.h"

// On Windows the program finds the person's folders through the shell, which reads them from
// the user's "User Shell Folders" key at every call (the environment does not count). The isolated
// home points the folders the program asks for into its own temporary folder there, and puts the
// values back when it goes. Tests run in a Wine prefix of their own, whose registry nobody else
// uses.

namespace lintavo::test {

namespace fs = std::filesystem;

namespace {

constexpr const wchar_t* kUserShellFolders =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

std::wstring Wide(const std::string& text) {
  return fs::path(text).wstring();
}

// The value's data as stored (REG_EXPAND_SZ or REG_SZ); nothing when it is missing.
std::optional<std::wstring> ReadFolderValue(HKEY key, const wchar_t* name) {
  DWORD size = 0;
  if (RegQueryValueExW(key, name, nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  std::wstring data(size / sizeof(wchar_t), L'\0');
  if (RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(data.data()), &size) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  data.resize(std::min(data.size(), data.find(L'\0')));
  return data;
}

void WriteFolderValue(HKEY key, const wchar_t* name, const std::optional<std::wstring>& data) {
  if (!data) {
    RegDeleteValueW(key, name);
    return;
  }
  RegSetValueExW(key, name, 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(data->c_str()),
                 static_cast<DWORD>((data->size() + 1) * sizeof(wchar_t)));
}

}  // namespace

struct IsolatedHome::SavedVariables {
  HKEY key = nullptr;
  std::vector<std::pair<const wchar_t*, std::optional<std::wstring>>> values;
};

IsolatedHome::IsolatedHome() : saved_(std::make_unique<SavedVariables>()) {
  const std::string documents = (fs::path(Home()) / "Documents").string();
  const std::string desktop = (fs::path(Home()) / "Desktop").string();
  for (const std::string& folder : {ConfigHome(), DataHome(), RuntimeDir(), documents, desktop}) {
    fs::create_directories(folder);
  }
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kUserShellFolders, 0, nullptr, 0,
                      KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &saved_->key,
                      nullptr) != ERROR_SUCCESS) {
    throw std::runtime_error("cannot open the user's shell folders");
  }
  const std::pair<const wchar_t*, std::string> folders[] = {{L"AppData", ConfigHome()},
                                                            {L"Local AppData", DataHome()},
                                                            {L"Personal", documents},
                                                            {L"Desktop", desktop}};
  for (const auto& [name, folder] : folders) {
    saved_->values.emplace_back(name, ReadFolderValue(saved_->key, name));
    WriteFolderValue(saved_->key, name, Wide(folder));
  }
}

IsolatedHome::~IsolatedHome() {
  for (const auto& [name, value] : saved_->values) {
    WriteFolderValue(saved_->key, name, value);
  }
  RegCloseKey(saved_->key);
}

void SetVariable(const std::string& name, const std::optional<std::string>& value) {
  _putenv_s(name.c_str(), value ? value->c_str() : "");
}

}  // namespace lintavo::test
