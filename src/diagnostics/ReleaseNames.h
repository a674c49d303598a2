#pragma once

#include <string>

#include "diagnostics/FileVersion.h"

// The release names a diagnostics report gives the versions of the help engine and of the browser
// control.
namespace lintavo {

// The help engine's release name: "1.33" for 4.74.9273.0, "> 1.33" above it, down to "< 1.0"
// below 4.72.7290.0; empty for an empty version.
std::string HelpEngineReleaseName(const FileVersion& version);

// The browser control's file version as the report shows it: the oldest numbering (V1 = 4,
// V2 <= 70, V3 = 0) moves V4 into V3, so 4.70.0.1155 reads 4.70.1155.0.
FileVersion AdjustBrowserVersion(const FileVersion& version);

// The browser control's release name for its adjusted version: "Internet Explorer 6 (Windows XP)"
// for 6.0.2600.0 and so on; empty for an empty version.
std::string BrowserReleaseName(const FileVersion& version);

}  // namespace lintavo
