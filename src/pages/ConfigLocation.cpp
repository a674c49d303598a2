#include "pages/ConfigLocation.h"

#include "base/PathText.h"
#include "os/Files.h"
#include "os/ShellFolders.h"
#include "pages/PathRoutines.h"

namespace lintavo {

namespace {

constexpr const char* kConfigFileName = "config.ini";

std::string PerUserFolder() {
  const std::string appData = os::GetSpecialFolder(os::SpecialFolder::kAppData);
  if (appData.empty()) {
    return {};
  }
  return WithTrailingBackslash(base::JoinPath(base::JoinPath(appData, "Quellmark"), "LTVO"));
}

}  // namespace

std::string LocateConfigFile(const std::string& programFolder) {
  const std::string olderFile = programFolder + kConfigFileName;
  const std::string folder = PerUserFolder();
  // Only a system without a per-user folder keeps the settings where older versions kept them.
  if (folder.empty()) {
    return olderFile;
  }
  // A folder that cannot be made is not worked around: the settings file stays where it belongs,
  // and the first save names that path in its error.
  os::ForceDirectories(folder);
  const std::string configFile = folder + kConfigFileName;
  if (os::FileExists(configFile)) {
    if (os::FileExists(olderFile)) {
      os::RemoveFile(olderFile);
    }
    return configFile;
  }
  if (os::FileExists(olderFile)) {
    // Settings that cannot be moved stay in use where they are rather than be left behind.
    if (!os::CopyFileTo(olderFile, configFile)) {
      return olderFile;
    }
    os::RemoveFile(olderFile);
  }
  return configFile;
}

}  // namespace lintavo
