#pragma once

#include <sys/types.h>

#include <set>
#include <string>
#include <utility>

namespace lintavo::os::posix {

// Folders told apart by what they are on disk, their device and inode: a folder reached through a
// symbolic link or by paths spelled differently ("a/b", "a//b/", "a/./b") is met once.
class SeenFolders {
 public:
  // Whether `folder` leads to a folder not met before, which from now on counts as met. False for
  // a path that leads to no folder.
  bool FirstVisit(const std::string& folder);

 private:
  std::set<std::pair<dev_t, ino_t>> seen_;
};

}  // namespace lintavo::os::posix
