#pragma once

// Registry keys that belong to the system's own software, which both the program and the seam
// name: the program reads and writes them, and a registry that the seam emulates answers them
// itself or holds them from the start.
namespace lintavo::os {

// The help engine's class registration (HKEY_CLASSES_ROOT): its default value is the path of the
// module that serves the class.
inline constexpr const char* kHelpEngineServerKey =
    "CLSID\\{adb880a6-d8ff-11cf-9377-00aa003b7a11}\\InprocServer32";

// The system browser's per-user keys (HKEY_CURRENT_USER). Installing the browser creates them.
inline constexpr const char* kBrowserMainKey = "Software\\Microsoft\\Internet Explorer\\Main";
inline constexpr const char* kTabbedBrowsingKey =
    "Software\\Microsoft\\Internet Explorer\\TabbedBrowsing";

}  // namespace lintavo::os
