#pragma once

#include <cstddef>
#include <optional>
#include <string>

// How the program reads the files that running browsers write (profile lists, session files):
// read-only and never waiting. Browsers replace these files while they run, so a file that cannot
// be read now is simply not there.
namespace lintavo::os::posix {

// No browser file the program reads is larger than this, also once decompressed: a real session
// with thousands of tabs takes some megabytes.
inline constexpr std::size_t kMaxBrowserFileSize = std::size_t{64} << 20;

// No more tabs than this are taken from one session file; the rest are left out. It lies far above
// what people keep open (thousands, for some) and keeps what a damaged file can claim small.
inline constexpr std::size_t kMaxTabsPerSession = 100'000;

// The bytes of a plain file of at most kMaxBrowserFileSize bytes; nothing for a missing,
// unreadable or larger file, or anything but a plain file (a pipe is never waited on).
std::optional<std::string> ReadBrowserFile(const std::string& path);

}  // namespace lintavo::os::posix
