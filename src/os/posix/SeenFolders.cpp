#include "os/posix/SeenFolders.h"

#include <sys/stat.h>

namespace lintavo::os::posix {

bool SeenFolders::FirstVisit(const std::string& folder) {
  struct stat info {};
  if (stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
    return false;
  }
  return seen_.emplace(info.st_dev, info.st_ino).second;
}

}  // namespace lintavo::os::posix
