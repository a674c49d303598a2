#include "os/posix/MimeApplications.h"

#include <vector>

#include "os/Files.h"
#include "os/posix/DesktopEntry.h"
#include "os/posix/PlainText.h"
#include "os/posix/ProgramSearch.h"
#include "os/posix/XdgFolders.h"

namespace lintavo::os::posix {

namespace {

constexpr std::string_view kDesktopSuffix = ".desktop";

std::vector<std::string> MimeAppsListFiles() {
  std::vector<std::string> files;
  if (const std::string configHome = ConfigHome(); !configHome.empty()) {
    files.push_back(JoinPath(configHome, "mimeapps.list"));
  }
  for (const std::string& folder : ConfigDirs()) {
    files.push_back(JoinPath(folder, "mimeapps.list"));
  }
  if (const std::string dataHome = DataHome(); !dataHome.empty()) {
    files.push_back(JoinPath(dataHome, "applications/mimeapps.list"));
  }
  for (const std::string& folder : DataDirs()) {
    files.push_back(JoinPath(folder, "applications/mimeapps.list"));
  }
  return files;
}

std::vector<std::string> ApplicationFolders() {
  std::vector<std::string> folders;
  if (const std::string dataHome = DataHome(); !dataHome.empty()) {
    folders.push_back(JoinPath(dataHome, "applications"));
  }
  for (const std::string& folder : DataDirs()) {
    folders.push_back(JoinPath(folder, "applications"));
  }
  return folders;
}

std::vector<std::string> SplitDesktopIds(std::string_view list) {
  std::vector<std::string> ids;
  while (!list.empty()) {
    const std::string_view id = TrimBlanks(TakeField(list, ';'));
    // An id is a file name: one with a '/' would reach outside the application folders.
    if (id.size() > kDesktopSuffix.size() && id.ends_with(kDesktopSuffix) &&
        id.find('/') == std::string_view::npos) {
      ids.emplace_back(id);
    }
  }
  return ids;
}

// The desktop file of `id` in `folder`. An entry in a subfolder has the subfolder's name and a
// '-' in front of its id ("kde-foo.desktop" may be kde/foo.desktop), so each '-' may stand for a
// folder boundary.
std::optional<std::string> FindDesktopFile(const std::string& folder, std::string_view id) {
  if (std::string file = JoinPath(folder, id); FileExists(file)) {
    return file;
  }
  for (std::size_t dash = id.find('-'); dash != std::string_view::npos;
       dash = id.find('-', dash + 1)) {
    const std::string_view prefix = id.substr(0, dash);
    if (prefix == "." || prefix == "..") {
      continue;
    }
    if (const std::string subfolder = JoinPath(folder, prefix); DirectoryExists(subfolder)) {
      if (auto file = FindDesktopFile(subfolder, id.substr(dash + 1))) {
        return file;
      }
    }
  }
  return std::nullopt;
}

// The program an installed desktop entry starts; nullopt when the entry is hidden (the user's
// way of deleting it) or has no usable Exec line.
std::optional<std::string> ProgramOfDesktopFile(const std::string& path) {
  std::string content;
  if (ReadWholeFile(path, content) != 0 ||
      FindKeyFileValue(content, "Desktop Entry", "Hidden") == "true") {
    return std::nullopt;
  }
  const std::optional<std::string> exec = FindKeyFileValue(content, "Desktop Entry", "Exec");
  return exec ? FirstExecArgument(*exec) : std::nullopt;
}

// The program of the desktop entry `id`. The first application folder that has the id decides;
// a hidden entry there is not replaced by one in a folder further down.
std::optional<std::string> ProgramOfDesktopId(const std::vector<std::string>& folders,
                                              std::string_view id) {
  for (const std::string& folder : folders) {
    if (const auto file = FindDesktopFile(folder, id)) {
      return ProgramOfDesktopFile(*file);
    }
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> DefaultApplicationProgram(std::string_view mimeType) {
  const std::vector<std::string> folders = ApplicationFolders();
  for (const std::string& listFile : MimeAppsListFiles()) {
    std::string content;
    if (ReadWholeFile(listFile, content) != 0) {
      continue;
    }
    const auto ids = FindKeyFileValue(content, "Default Applications", mimeType);
    for (const std::string& id : SplitDesktopIds(ids.value_or(""))) {
      if (std::optional<std::string> program = ProgramOfDesktopId(folders, id)) {
        if (program->find('/') == std::string::npos) {
          return FindProgramOnPath(*program).value_or(*program);
        }
        return program;
      }
    }
  }
  return std::nullopt;
}

}  // namespace lintavo::os::posix
