#pragma once

#include <set>
#include <string>

#include "os/Files.h"

namespace lintavo::browsers {

// Folders told apart by what they are on disk (os/Files.h, IdentityOfFolder): a folder reached
// through a symbolic link or by paths spelled differently ("a/b", "a//b/", "a/./b") is met once.
class SeenFolders {
 public:
  // Whether `folder` leads to a folder not met before, which from now on counts as met. False for
  // a path that leads to no folder.
  bool FirstVisit(const std::string& folder);

 private:
  std::set<os::FolderIdentity> seen_;
};

}  // namespace lintavo::browsers
