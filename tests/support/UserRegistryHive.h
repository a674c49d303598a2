#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "os/Registry.h"
#include "support/TestEnvironment.h"

namespace lintavo::test {

// The browser's keys as the registry names them, spelled out here so that a wrong key in the
// program shows.
inline constexpr const char* kMainKey = "Software\\Microsoft\\Internet Explorer\\Main";
inline constexpr const char* kTabbedBrowsingKey =
    "Software\\Microsoft\\Internet Explorer\\TabbedBrowsing";
inline constexpr const char* kLockdownKey =
    "Software\\Microsoft\\Internet Explorer\\Main\\FeatureControl\\FEATURE_LOCALMACHINE_LOCKDOWN";

// Section lines of the hive file for those keys.
inline std::string SectionOf(const std::string& key) {
  return "[HKEY_CURRENT_USER\\" + key + "]\n";
}

// The per-user registry of an isolated home, as the hive file that holds it.
class UserRegistryHive {
 public:
  explicit UserRegistryHive(const IsolatedHome& home)
      : path_(home.ConfigHome() + "/registry/HKEY_CURRENT_USER.reg") {}

  bool Exists() const { return std::filesystem::exists(path_); }
  std::string Text() const { return ReadFileBytes(path_); }
  std::uintmax_t Size() const { return std::filesystem::file_size(path_); }
  // Writes a hive made of `sections` (section lines with their value lines).
  void Write(const std::string& sections) const {
    WriteFileBytes(path_, "Windows Registry Editor Version 5.00\n\n" + sections);
  }

  // A value as the program's registry object reads it; nullopt when the key or value is missing.
  static std::optional<os::RegistryValue> Read(const std::string& key, const std::string& name) {
    const auto opened = os::RegistryKey::OpenForReading(os::RegistryRoot::CurrentUser, key);
    return opened ? opened->Query(name) : std::nullopt;
  }
  static bool HasKey(const std::string& key) {
    return os::RegistryKey::OpenForReading(os::RegistryRoot::CurrentUser, key).has_value();
  }

 private:
  std::string path_;
};

}  // namespace lintavo::test
