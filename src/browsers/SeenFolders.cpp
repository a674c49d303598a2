#include "browsers/SeenFolders.h"

#include <optional>

namespace lintavo::browsers {

bool SeenFolders::FirstVisit(const std::string& folder) {
  const std::optional<os::FolderIdentity> identity = os::IdentityOfFolder(folder);
  return identity && seen_.insert(*identity).second;
}

}  // namespace lintavo::browsers
