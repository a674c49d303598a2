#pragma once

// Who makes the program and where to find them: the logo, "Check for updates" and the about box
// take their texts and addresses from here, and from nowhere else.
namespace lintavo {

inline constexpr const char* kProductName = "Lintavo";
inline constexpr const char* kProductVersion = "2.03";

inline constexpr const char* kVendorWebSite = "https://lintavo.example/";
inline constexpr const char* kVendorUpdatePage = "https://lintavo.example/updates/";
inline constexpr const char* kCopyrightLine = "Copyright \u00a9 2026 The Lintavo developers";

}  // namespace lintavo
