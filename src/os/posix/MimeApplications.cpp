#include "os/posix/MimeApplications.h"

#include <limits.h>
#include <sys/stat.h>

#include <algorithm>
#include <set>
#include <tuple>
#include <vector>

#include "base/PathText.h"
#include "base/Text.h"
#include "os/Files.h"
#include "os/posix/DesktopEntry.h"
#include "os/posix/ProgramSearch.h"
#include "os/posix/XdgFolders.h"

namespace lintavo::os::posix {

namespace {

constexpr std::string_view kDesktopSuffix = ".desktop";

std::vector<std::string> MimeAppsListFiles() {
  std::vector<std::string> files;
  if (const std::string configHome = ConfigHome(); !configHome.empty()) {
    files.push_back(base::JoinPath(configHome, "mimeapps.list"));
  }
  for (const std::string& folder : ConfigDirs()) {
    files.push_back(base::JoinPath(folder, "mimeapps.list"));
  }
  if (const std::string dataHome = DataHome(); !dataHome.empty()) {
    files.push_back(base::JoinPath(dataHome, "applications/mimeapps.list"));
  }
  for (const std::string& folder : DataDirs()) {
    files.push_back(base::JoinPath(folder, "applications/mimeapps.list"));
  }
  return files;
}

std::vector<std::string> ApplicationFolders() {
  std::vector<std::string> folders;
  if (const std::string dataHome = DataHome(); !dataHome.empty()) {
    folders.push_back(base::JoinPath(dataHome, "applications"));
  }
  for (const std::string& folder : DataDirs()) {
    folders.push_back(base::JoinPath(folder, "applications"));
  }
  return folders;
}

bool IsControlCharacter(char c) {
  return static_cast<unsigned char>(c) < 0x20 || c == 0x7f;
}

std::vector<std::string> SplitDesktopIds(std::string_view list) {
  std::vector<std::string> ids;
  while (!list.empty()) {
    const std::string_view id = base::TrimBlanks(base::TakeField(list, ';'));
    // An id is a file name below an application folder: one with a '/' would reach outside them,
    // one with a control character (a NUL byte would cut the path short) names no file, and one
    // longer than a path names none either.
    if (id.size() > kDesktopSuffix.size() && id.size() < PATH_MAX && id.ends_with(kDesktopSuffix) &&
        id.find('/') == std::string_view::npos &&
        std::none_of(id.begin(), id.end(), IsControlCharacter)) {
      ids.emplace_back(id);
    }
  }
  return ids;
}

// Finds the desktop file of an id in an application folder. An entry in a subfolder has the
// subfolder's name and a '-' in front of its id ("kde-foo.desktop" may be kde/foo.desktop), so
// each '-' may stand for a folder boundary. The ways to split an id grow exponentially with its
// dashes; the search stays linear because it tries every (folder, rest of the id) pair once,
// telling folders apart by their identity on disk, so links that lead back cost nothing extra.
class DesktopFileSearch {
 public:
  explicit DesktopFileSearch(std::string_view id) : id_(id) {}

  std::optional<std::string> In(const std::string& folder) { return Below(folder, 0); }

 private:
  // The file of id_[start..] in `folder` or below it.
  std::optional<std::string> Below(const std::string& folder, std::size_t start) {
    struct stat info {};
    if (stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) ||
        !tried_.emplace(info.st_dev, info.st_ino, start).second) {
      return std::nullopt;
    }
    const std::string_view rest = id_.substr(start);
    if (std::string file = base::JoinPath(folder, rest); FileExists(file)) {
      return file;
    }
    // A folder name is at most NAME_MAX bytes, so no dash further on can end one.
    for (std::size_t dash = rest.find('-'); dash != std::string_view::npos && dash <= NAME_MAX;
         dash = rest.find('-', dash + 1)) {
      const std::string_view name = rest.substr(0, dash);
      if (name.empty() || name == "." || name == "..") {
        continue;
      }
      if (auto file = Below(base::JoinPath(folder, name), start + dash + 1)) {
        return file;
      }
    }
    return std::nullopt;
  }

  std::string_view id_;
  std::set<std::tuple<dev_t, ino_t, std::size_t>> tried_;  // nothing was found from these
};

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
    if (const auto file = DesktopFileSearch(id).In(folder)) {
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
