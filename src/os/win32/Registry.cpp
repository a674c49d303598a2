#include "os/Registry.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string_view>
#include <vector>

#include "base/Text.h"
#include "os/win32/WideText.h"

// The real registry. Names and data cross the API as UTF-16; a name or a text is taken up to its
// first NUL, as the API's C strings take it.

namespace lintavo::os {

namespace {

HKEY RootKey(RegistryRoot root) {
  return root == RegistryRoot::ClassesRoot ? HKEY_CLASSES_ROOT : HKEY_CURRENT_USER;
}

std::wstring WideUpToNul(std::string_view text) {
  return win32::Wide(std::string(base::UpToNul(text)));
}

// Opens the key afresh for one operation, and closes it when the operation is done.
class OpenKey {
 public:
  OpenKey(RegistryRoot root, const std::string& path, REGSAM access) {
    if (RegOpenKeyExW(RootKey(root), WideUpToNul(path).c_str(), 0, access, &key_) !=
        ERROR_SUCCESS) {
      key_ = nullptr;
    }
  }
  OpenKey(const OpenKey&) = delete;
  OpenKey& operator=(const OpenKey&) = delete;
  ~OpenKey() {
    if (key_ != nullptr) {
      RegCloseKey(key_);
    }
  }

  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

}  // namespace

RegistryKey::RegistryKey(RegistryRoot root, std::string path, bool writable)
    : root_(root), path_(std::move(path)), writable_(writable) {}

std::optional<RegistryKey> RegistryKey::OpenForReading(RegistryRoot root, const std::string& path) {
  const OpenKey key(root, path, KEY_READ);
  return key.get() != nullptr ? std::optional(RegistryKey(root, path, false)) : std::nullopt;
}

std::optional<RegistryKey> RegistryKey::Create(RegistryRoot root, const std::string& path) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(RootKey(root), WideUpToNul(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_READ | KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  RegCloseKey(key);
  return RegistryKey(root, path, true);
}

std::optional<RegistryValue> RegistryKey::Query(const std::string& name) const {
  const OpenKey key(root_, path_, KEY_READ);
  if (key.get() == nullptr) {
    return std::nullopt;
  }
  const std::wstring valueName = WideUpToNul(name);
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExW(key.get(), valueName.c_str(), nullptr, &type, nullptr, &size) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  std::vector<BYTE> data(size);
  if (RegQueryValueExW(key.get(), valueName.c_str(), nullptr, &type, data.data(), &size) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  data.resize(size);
  RegistryValue value;
  if (type == REG_SZ) {
    // The stored text may or may not end in its NUL, and may hold more after one.
    std::wstring text(data.size() / sizeof(wchar_t), L'\0');
    std::memcpy(text.data(), data.data(), text.size() * sizeof(wchar_t));
    text.resize(std::min(text.size(), text.find(L'\0')));
    value.text = win32::Narrow(text);
  } else if (type == REG_DWORD && data.size() == sizeof(DWORD)) {
    DWORD number = 0;
    std::memcpy(&number, data.data(), sizeof number);
    value.type = RegistryValueType::DWord;
    value.number = number;
  } else {
    value.type = RegistryValueType::Other;
  }
  return value;
}

bool RegistryKey::SetString(const std::string& name, const std::string& data) {
  if (!writable_) {
    return false;
  }
  const OpenKey key(root_, path_, KEY_SET_VALUE);
  const std::wstring text = WideUpToNul(data);
  return key.get() != nullptr &&
         RegSetValueExW(key.get(), WideUpToNul(name).c_str(), 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(text.c_str()),
                        static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

bool RegistryKey::SetDWord(const std::string& name, std::uint32_t data) {
  if (!writable_) {
    return false;
  }
  const OpenKey key(root_, path_, KEY_SET_VALUE);
  const DWORD number = data;
  return key.get() != nullptr &&
         RegSetValueExW(key.get(), WideUpToNul(name).c_str(), 0, REG_DWORD,
                        reinterpret_cast<const BYTE*>(&number), sizeof number) == ERROR_SUCCESS;
}

}  // namespace lintavo::os
