#pragma once

namespace lintavo {

// The section of the settings file where the windows keep their own state between runs, beside the
// pages' sections, and its keys.
inline constexpr const char* kSettingsSection = "Settings";
// The page the main window's list showed last.
inline constexpr const char* kLastPageKey = "LastPage";
// The folder of the background picture picked last.
inline constexpr const char* kLastBackgroundFolderKey = "LastBackgroundFolder";
// The size of Home Page Settings.
inline constexpr const char* kGridWidthKey = "GridWidth";
inline constexpr const char* kGridHeightKey = "GridHeight";

}  // namespace lintavo
