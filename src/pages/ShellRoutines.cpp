#include "pages/ShellRoutines.h"

#include "base/PathText.h"
#include "os/Files.h"
#include "os/Launch.h"
#include "os/Paths.h"
#include "os/Registry.h"
#include "os/ShellFolders.h"
#include "os/ShellLink.h"

namespace lintavo {

namespace {

std::string ShortcutFolder(const std::string& where) {
  if (where == "DESKTOP") {
    return os::GetSpecialFolder(os::SpecialFolder::kDesktopDirectory);
  }
  if (where == "QUICKLAUNCH") {
    return os::QuickLaunchFolder();
  }
  return {};
}

std::string RegisteredHtmlCommand() {
  const auto key = os::RegistryKey::OpenForReading(os::RegistryRoot::ClassesRoot,
                                                   "htmlfile\\shell\\open\\command");
  if (!key) {
    return {};
  }
  const auto value = key->Query("");
  return value && value->type == os::RegistryValueType::String ? value->text : std::string();
}

// The program path of a registered command: the text between its first two double quotes.
// Its own arguments, "%1" included, are dropped; a command without quotes gives the empty text.
std::string ProgramOfCommand(const std::string& command) {
  const auto open = command.find('"');
  const std::string rest = open == std::string::npos ? command : command.substr(open + 1);
  const auto close = rest.find('"');
  return close == std::string::npos ? std::string() : rest.substr(0, close);
}

}  // namespace

bool CreateShortcut(const std::string& target, const std::string& linkName,
                    const std::string& where) {
  const std::string folder = ShortcutFolder(where);
  if (folder.empty() || !os::ForceDirectories(folder)) {
    return false;
  }
  const std::string workingFolder = target.substr(0, target.find_last_of(base::kPathDelimiter) + 1);
  return os::SaveShellLink(base::JoinPath(folder, linkName + os::kShellLinkExtension), target,
                           workingFolder);
}

bool OpenInHtmlBrowser(const std::string& address) {
  const std::string command = RegisteredHtmlCommand();
  if (command.empty()) {
    return false;
  }
  // What the launch reports does not matter: a program is registered.
  os::ShellExecuteOpen(ProgramOfCommand(command), address);
  return true;
}

}  // namespace lintavo
