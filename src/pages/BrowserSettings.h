#pragma once

#include <cstdint>

#include "os/RegistryKeys.h"

namespace lintavo {

// The browser's per-user settings that the program writes, all under HKEY_CURRENT_USER. The
// home-page command and the options dialog take their keys and value names from here.

using os::kBrowserMainKey;
inline constexpr const char* kStartPageValue = "Start Page";  // REG_SZ: the home page's file path

using os::kTabbedBrowsingKey;
inline constexpr const char* kUseHomepageForNewTabValue = "UseHomepageForNewTab";  // REG_DWORD
inline constexpr std::uint32_t kShowHomePageInNewTabs = 1;

// While "iexplore.exe" is 0, pages opened from local files may run scripts and controls without
// the browser's warning.
inline constexpr const char* kLocalMachineLockdownKey =
    "Software\\Microsoft\\Internet Explorer\\Main\\FeatureControl\\"
    "FEATURE_LOCALMACHINE_LOCKDOWN";
inline constexpr const char* kLocalMachineLockdownValue = "iexplore.exe";  // REG_DWORD
inline constexpr std::uint32_t kLocalMachineLockdownOff = 0;

}  // namespace lintavo
