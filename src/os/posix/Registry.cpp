#include "os/Registry.h"

#include "os/Files.h"
#include "os/PathText.h"
#include "os/Text.h"
#include "os/posix/MimeApplications.h"
#include "os/posix/RegistryHive.h"
#include "os/posix/XdgFolders.h"

namespace lintavo::os {

namespace {

// Keys whose values come from the freedesktop settings instead of the hive.
constexpr std::string_view kShellFoldersKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr std::string_view kPersonalValue = "Personal";
constexpr std::string_view kHtmlOpenCommandKey = "htmlfile\\shell\\open\\command";

bool SameKey(std::string_view a, std::string_view b) {
  return posix::FoldKeyPath(a) == posix::FoldKeyPath(b);
}

bool SameValueName(std::string_view a, std::string_view b) {
  return AsciiLowerCase(a) == AsciiLowerCase(b);
}

// A hive line break inside a key path would forge lines of the file; no key name holds one.
bool IsValidKeyPath(std::string_view path) {
  return path.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

std::string HivePath() {
  const std::string configHome = posix::ConfigHome();
  return configHome.empty() ? std::string()
                            : JoinPath(configHome, "registry/HKEY_CURRENT_USER.reg");
}

// The hive as it is now; a missing file is an empty hive. nullopt when the file exists but cannot
// be read, so that nothing rewrites (and loses) it.
std::optional<posix::RegistryHive> LoadHive() {
  const std::string path = HivePath();
  if (path.empty()) {
    return std::nullopt;
  }
  std::string text;
  if (ReadFileToRewrite(path, text) == ExistingFile::Unreadable) {
    return std::nullopt;
  }
  return posix::RegistryHive::Parse(text);
}

bool StoreHive(const posix::RegistryHive& hive) {
  const std::string path = HivePath();
  return ForceDirectories(path.substr(0, path.find_last_of('/'))) &&
         WriteFileAtomically(path, hive.Serialize()) == 0;
}

bool IsShellFoldersPersonal(RegistryRoot root, std::string_view path, std::string_view name) {
  return root == RegistryRoot::CurrentUser && SameKey(path, kShellFoldersKey) &&
         SameValueName(name, kPersonalValue);
}

// "My Documents": the XDG documents folder, else ~/Documents when it exists.
std::optional<std::string> PersonalFolder() {
  if (auto documents = posix::UserDirectory("DOCUMENTS")) {
    return documents;
  }
  const std::string home = posix::HomeFolder();
  if (home.empty()) {
    return std::nullopt;
  }
  std::string documents = JoinPath(home, "Documents");
  return DirectoryExists(documents) ? std::optional(documents) : std::nullopt;
}

// The command that opens an HTML file, from the default text/html application.
std::optional<std::string> HtmlOpenCommand() {
  const auto program = posix::DefaultApplicationProgram("text/html");
  return program ? std::optional("\"" + *program + "\" \"%1\"") : std::nullopt;
}

// Sets a value in the hive as it is now; false when the hive cannot be read or written.
bool WriteValue(const std::string& keyPath, std::string_view name, const std::string& data) {
  auto hive = LoadHive();
  if (!hive) {
    return false;
  }
  hive->SetValue(keyPath, name, data);
  return StoreHive(*hive);
}

std::optional<RegistryValue> StringValue(std::optional<std::string> text) {
  if (!text) {
    return std::nullopt;
  }
  RegistryValue value;
  value.type = RegistryValueType::String;
  value.text = std::move(*text);
  return value;
}

}  // namespace

RegistryKey::RegistryKey(RegistryRoot root, std::string path, bool writable)
    : root_(root), path_(std::move(path)), writable_(writable) {}

std::optional<RegistryKey> RegistryKey::OpenForReading(RegistryRoot root, const std::string& path) {
  if (!IsValidKeyPath(path)) {
    return std::nullopt;
  }
  bool exists = false;
  if (root == RegistryRoot::ClassesRoot) {
    // The only class key this system has is the derived HTML open command.
    exists = SameKey(path, kHtmlOpenCommandKey) && HtmlOpenCommand().has_value();
  } else if (SameKey(path, kShellFoldersKey)) {
    exists = true;
  } else {
    const auto hive = LoadHive();
    exists = hive && hive->HasKey(path);
  }
  return exists ? std::optional(RegistryKey(root, path, false)) : std::nullopt;
}

std::optional<RegistryKey> RegistryKey::Create(RegistryRoot root, const std::string& path) {
  // The class keys are derived from the system's MIME settings and cannot be written.
  if (root != RegistryRoot::CurrentUser || !IsValidKeyPath(path)) {
    return std::nullopt;
  }
  auto hive = LoadHive();
  if (!hive) {
    return std::nullopt;
  }
  if (!hive->HasKey(path)) {
    hive->AddKey(path);
    if (!StoreHive(*hive)) {
      return std::nullopt;
    }
  }
  return RegistryKey(root, path, true);
}

std::optional<RegistryValue> RegistryKey::Query(const std::string& name) const {
  if (root_ == RegistryRoot::ClassesRoot) {
    return UpToNul(name).empty() ? StringValue(HtmlOpenCommand()) : std::nullopt;
  }
  if (IsShellFoldersPersonal(root_, path_, UpToNul(name))) {
    return StringValue(PersonalFolder());
  }
  const auto hive = LoadHive();
  return hive ? hive->FindValue(path_, UpToNul(name)) : std::nullopt;
}

bool RegistryKey::SetString(const std::string& name, const std::string& data) {
  return writable_ && !IsShellFoldersPersonal(root_, path_, UpToNul(name)) &&
         WriteValue(path_, UpToNul(name), posix::FormatStringData(UpToNul(data)));
}

bool RegistryKey::SetDWord(const std::string& name, std::uint32_t data) {
  return writable_ && !IsShellFoldersPersonal(root_, path_, UpToNul(name)) &&
         WriteValue(path_, UpToNul(name), posix::FormatDWordData(data));
}

}  // namespace lintavo::os
