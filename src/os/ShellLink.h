#pragma once

#include <string>

namespace lintavo::os {

#ifdef _WIN32
inline constexpr const char* kShellLinkExtension = ".lnk";
#else
inline constexpr const char* kShellLinkExtension = ".desktop";
#endif

// Writes the shell link `linkPath` (ending in kShellLinkExtension) that starts `target` in
// `workingFolder`, replacing an existing link of that name. The link shows the target's own icon.
// False when the link could not be written.
bool SaveShellLink(const std::string& linkPath, const std::string& target,
                   const std::string& workingFolder);

}  // namespace lintavo::os
