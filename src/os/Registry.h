#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace lintavo::os {

enum class RegistryRoot { ClassesRoot, CurrentUser };

enum class RegistryValueType { String, DWord, Other };  // REG_SZ, REG_DWORD, any other type

struct RegistryValue {
  RegistryValueType type = RegistryValueType::String;
  std::string text;          // the data of a String value
  std::uint32_t number = 0;  // the data of a DWord value
};

// An open registry key. Key paths use backslashes ("Software\\Microsoft\\..."), compare without
// regard to ASCII case, and the empty value name is the key's default value. Every operation
// reads or writes the store afresh; nothing is cached between operations.
class RegistryKey {
 public:
  // Opens an existing key for reading only, without creating it; nullopt when it is missing.
  static std::optional<RegistryKey> OpenForReading(RegistryRoot root, const std::string& path);
  // Opens a key for reading and writing, creating it and every missing key above it; nullopt when
  // that is not possible.
  static std::optional<RegistryKey> Create(RegistryRoot root, const std::string& path);

  // The value's type and data; nullopt when the value is missing.
  std::optional<RegistryValue> Query(const std::string& name) const;
  // Sets a REG_SZ or REG_DWORD value; false when the store could not be written.
  bool SetString(const std::string& name, const std::string& data);
  bool SetDWord(const std::string& name, std::uint32_t data);

 private:
  RegistryKey(RegistryRoot root, std::string path, bool writable);

  RegistryRoot root_;
  std::string path_;
  bool writable_;
};

}  // namespace lintavo::os
