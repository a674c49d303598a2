#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "os/Registry.h"

namespace lintavo {

// Registry steps of the commands that change the browser's settings, each raising the registry's
// own message as a lintavo::Failure when it cannot be done.

// Opens a key of HKEY_CURRENT_USER for writing, creating it and the keys above it when missing;
// nullopt when that is not possible.
std::optional<os::RegistryKey> CreateUserKey(const std::string& keyPath);

// Sets a REG_DWORD value of an open key; a refused write raises
// "Failed to set data for '<name>'".
void SetDWordOrFail(os::RegistryKey& key, const std::string& name, std::uint32_t data);

// Sets a value of a key of HKEY_CURRENT_USER that must exist already: the key is not created,
// and a missing key fails exactly as a refused write does.
void SetStringInExistingKey(const std::string& keyPath, const std::string& name,
                            const std::string& data);
void SetDWordInExistingKey(const std::string& keyPath, const std::string& name, std::uint32_t data);

// The REG_DWORD value `name` of an open key; nullopt when it is missing. A value of another type
// raises "Invalid data type for '<name>'".
std::optional<std::uint32_t> QueryDWord(const os::RegistryKey& key, const std::string& name);

}  // namespace lintavo
