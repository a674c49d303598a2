#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "os/Registry.h"

namespace lintavo::test {

// Parts of a queried value, so that a test compares them without touching a missing value.

// The text of a REG_SZ value; nullopt for no value or one of another type.
inline std::optional<std::string> TextOf(const std::optional<os::RegistryValue>& value) {
  return value && value->type == os::RegistryValueType::String ? std::optional(value->text)
                                                               : std::nullopt;
}

// The number of a REG_DWORD value; nullopt for no value or one of another type.
inline std::optional<std::uint32_t> NumberOf(const std::optional<os::RegistryValue>& value) {
  return value && value->type == os::RegistryValueType::DWord ? std::optional(value->number)
                                                              : std::nullopt;
}

inline std::optional<os::RegistryValueType> TypeOf(const std::optional<os::RegistryValue>& value) {
  return value ? std::optional(value->type) : std::nullopt;
}

}  // namespace lintavo::test
