#include "os/Registry.h"

#include "base/PathText.h"
#include "base/Text.h"
#include "os/Files.h"
#include "os/Paths.h"
#include "os/RegistryKeys.h"
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
// The help engine's class registration (os/RegistryKeys.h) is answered by the engine module
// beside the program.
// The engine module's file name, given by the build from the module's target.
constexpr std::string_view kHelpEngineFileName = LINTAVO_HELP_ENGINE_FILE_NAME;
// The user's own class keys, which stand over the derived ones as on Windows.
constexpr std::string_view kUserClassesKey = "Software\\Classes\\";

// The browser's keys (os/RegistryKeys.h): installing the browser creates them, so the hive of a
// new account, which does not exist yet, holds them; a hive that exists holds what it holds.

bool SameKey(std::string_view a, std::string_view b) {
  return posix::FoldKeyPath(a) == posix::FoldKeyPath(b);
}

bool SameValueName(std::string_view a, std::string_view b) {
  return base::AsciiLowerCase(a) == base::AsciiLowerCase(b);
}

// A hive line break inside a key path would forge lines of the file; no key name holds one.
bool IsValidKeyPath(std::string_view path) {
  return path.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

std::string HivePath() {
  const std::string configHome = posix::ConfigHome();
  return configHome.empty() ? std::string()
                            : base::JoinPath(configHome, "registry/HKEY_CURRENT_USER.reg");
}

// The hive as it is now; a missing file is the hive of a new account, with the browser's keys.
// nullopt when the file exists but cannot be read, so that nothing rewrites (and loses) it.
std::optional<posix::RegistryHive> LoadHive() {
  const std::string path = HivePath();
  if (path.empty()) {
    return std::nullopt;
  }
  std::string text;
  switch (ReadFileToRewrite(path, text)) {
    case ExistingFile::Unreadable:
      return std::nullopt;
    case ExistingFile::Missing: {
      auto hive = posix::RegistryHive::Parse("");
      hive.AddKey(kBrowserMainKey);
      hive.AddKey(kTabbedBrowsingKey);
      return hive;
    }
    case ExistingFile::Read:
      break;
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
  std::string documents = base::JoinPath(home, "Documents");
  return DirectoryExists(documents) ? std::optional(documents) : std::nullopt;
}

// The command that opens an HTML file, from the default text/html application.
std::optional<std::string> HtmlOpenCommand() {
  const auto program = posix::DefaultApplicationProgram("text/html");
  return program ? std::optional("\"" + *program + "\" \"%1\"") : std::nullopt;
}

// The help engine module installed beside the program, when it is there.
std::optional<std::string> HelpEngineServer() {
  std::string path = ProgramFolder() + std::string(kHelpEngineFileName);
  return FileExists(path) ? std::optional(path) : std::nullopt;
}

// The user's class key of that path in the hive, when the hive holds one.
std::optional<std::string> UserClassKey(std::string_view path) {
  if (path.empty()) {
    return std::nullopt;
  }
  std::string key = std::string(kUserClassesKey) + std::string(path);
  const auto hive = LoadHive();
  return hive && hive->HasKey(key) ? std::optional(key) : std::nullopt;
}

// A derived class key's default value; nullopt for a key that is not derived or has no value now.
std::optional<std::string> DerivedClassValue(std::string_view path) {
  if (SameKey(path, kHtmlOpenCommandKey)) {
    return HtmlOpenCommand();
  }
  if (SameKey(path, kHelpEngineServerKey)) {
    return HelpEngineServer();
  }
  return std::nullopt;
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
    // The user's class keys, else the few derived from the system: the HTML open command and the
    // help engine's registration.
    exists = UserClassKey(path).has_value() || DerivedClassValue(path).has_value();
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
    if (const auto userKey = UserClassKey(path_)) {
      const auto hive = LoadHive();
      return hive ? hive->FindValue(*userKey, base::UpToNul(name)) : std::nullopt;
    }
    return base::UpToNul(name).empty() ? StringValue(DerivedClassValue(path_)) : std::nullopt;
  }
  if (IsShellFoldersPersonal(root_, path_, base::UpToNul(name))) {
    return StringValue(PersonalFolder());
  }
  const auto hive = LoadHive();
  return hive ? hive->FindValue(path_, base::UpToNul(name)) : std::nullopt;
}

bool RegistryKey::SetString(const std::string& name, const std::string& data) {
  return writable_ && !IsShellFoldersPersonal(root_, path_, base::UpToNul(name)) &&
         WriteValue(path_, base::UpToNul(name), posix::FormatStringData(base::UpToNul(data)));
}

bool RegistryKey::SetDWord(const std::string& name, std::uint32_t data) {
  return writable_ && !IsShellFoldersPersonal(root_, path_, base::UpToNul(name)) &&
         WriteValue(path_, base::UpToNul(name), posix::FormatDWordData(data));
}

}  // namespace lintavo::os
