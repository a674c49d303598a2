#include "pages/RegistryWriting.h"

#include "base/Failure.h"

namespace lintavo {

namespace {

std::string SetDataFailedMessage(const std::string& valueName) {
  return "Failed to set data for '" + valueName + "'";
}

std::string InvalidDataTypeMessage(const std::string& valueName) {
  return "Invalid data type for '" + valueName + "'";
}

// The registry object has no "open for writing without creating"; a key that exists already is
// opened, not created, by Create.
std::optional<os::RegistryKey> OpenExistingUserKey(const std::string& keyPath) {
  if (!os::RegistryKey::OpenForReading(os::RegistryRoot::CurrentUser, keyPath)) {
    return std::nullopt;
  }
  return CreateUserKey(keyPath);
}

void FailUnless(bool written, const std::string& name) {
  if (!written) {
    throw Failure(SetDataFailedMessage(name));
  }
}

}  // namespace

std::optional<os::RegistryKey> CreateUserKey(const std::string& keyPath) {
  return os::RegistryKey::Create(os::RegistryRoot::CurrentUser, keyPath);
}

void SetDWordOrFail(os::RegistryKey& key, const std::string& name, std::uint32_t data) {
  FailUnless(key.SetDWord(name, data), name);
}

void SetStringInExistingKey(const std::string& keyPath, const std::string& name,
                            const std::string& data) {
  auto key = OpenExistingUserKey(keyPath);
  FailUnless(key && key->SetString(name, data), name);
}

void SetDWordInExistingKey(const std::string& keyPath, const std::string& name,
                           std::uint32_t data) {
  auto key = OpenExistingUserKey(keyPath);
  FailUnless(key && key->SetDWord(name, data), name);
}

std::optional<std::uint32_t> QueryDWord(const os::RegistryKey& key, const std::string& name) {
  const auto value = key.Query(name);
  if (!value) {
    return std::nullopt;
  }
  if (value->type != os::RegistryValueType::DWord) {
    throw Failure(InvalidDataTypeMessage(name));
  }
  return value->number;
}

}  // namespace lintavo
