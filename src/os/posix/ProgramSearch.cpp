#include "os/posix/ProgramSearch.h"

#include <unistd.h>

#include <cstdlib>
#include <string_view>

#include "base/PathText.h"
#include "base/Text.h"
#include "os/Files.h"
#include "os/posix/XdgFolders.h"

namespace lintavo::os::posix {

namespace {

std::string SearchPath() {
  if (const char* path = std::getenv("PATH")) {
    return path;
  }
  std::string defaultPath(confstr(_CS_PATH, nullptr, 0), '\0');
  if (!defaultPath.empty()) {
    confstr(_CS_PATH, defaultPath.data(), defaultPath.size());
    defaultPath.pop_back();  // the terminating NUL confstr wrote
  }
  return defaultPath;
}

}  // namespace

std::optional<std::string> FindProgramOnPath(const std::string& name) {
  if (name.empty() || name.find('/') != std::string::npos) {
    return std::nullopt;
  }
  const std::string searchPath = SearchPath();
  std::string_view folders = searchPath;
  while (!folders.empty()) {
    const std::string_view folder = base::TakeField(folders, ':');
    if (folder.empty() || folder.front() != '/') {
      continue;
    }
    std::string candidate = base::JoinPath(std::string(folder), name);
    if (FileExists(candidate) && access(candidate.c_str(), X_OK) == 0) {
      return candidate;
    }
  }
  return std::nullopt;
}

}  // namespace lintavo::os::posix
