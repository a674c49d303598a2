#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "os/Files.h"

// How the program reads the files that running browsers write (profile lists, session files):
// read-only and never waiting. Browsers replace these files while they run, so a file that cannot
// be read now is simply not there.
namespace lintavo::browsers {

// No browser file the program reads is larger than this, also once decompressed: a real session
// with thousands of tabs takes some megabytes.
inline constexpr std::size_t kMaxBrowserFileSize = std::size_t{64} << 20;

// No more tabs than this are taken from one session file; the rest are left out. It lies far above
// what people keep open (thousands, for some) and keeps what a damaged file can claim small.
inline constexpr std::size_t kMaxTabsPerSession = 100'000;

// The bytes of a plain file of at most kMaxBrowserFileSize bytes; nothing for a missing,
// unreadable or larger file, or anything but a plain file (a pipe is never waited on).
std::optional<std::string> ReadBrowserFile(const std::string& path);

// No preference file of a browser that the program rewrites is larger than this. A long-used
// Chromium profile's "Preferences" takes some hundred kilobytes and a prefs.js less; a file far
// beyond that is damaged or not what it claims to be, and is left alone unread.
inline constexpr std::size_t kMaxPreferenceFileSize = std::size_t{16} << 20;

// Reads a browser's preference file that the program rewrites as a whole (os/Files.h,
// ReadFileToRewrite). A file larger than kMaxPreferenceFileSize is Unreadable, refused before any
// of it is read, and so is anything but a plain file.
os::ExistingFile ReadPreferenceFile(const std::string& path, std::string& bytes);

}  // namespace lintavo::browsers
