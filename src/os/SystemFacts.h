#pragma once

#include <cstdint>
#include <string>

// Facts about the system the program runs on, as a diagnostics report names them.
namespace lintavo::os {

// The operating system's name and version: "Windows NT" (or "Windows" outside the NT family) with
// its major, minor and build numbers on Windows; elsewhere the kernel's name ("Linux") and the
// first three numbers of its release.
struct SystemVersion {
  std::string name;
  int major = 0;
  int minor = 0;
  int build = 0;
};
SystemVersion OperatingSystemVersion();

// The Windows locale identifier of the user's locale for formats (0x0409 for English as spoken in
// the United States). Where the system names locales otherwise, the common ones are translated;
// any other gives LOCALE_CUSTOM_DEFAULT, 0x0C00.
inline constexpr std::uint32_t kUnknownLocaleId = 0x0C00;
std::uint32_t UserLocaleId();

// The decimal separator of the user's locale for formats ("." or "," and the like).
std::string DecimalSeparator();

// The current local date and time, in the user's short date and long time format.
std::string LocalDateTimeText();

// The folder of the system's own libraries (Windows' system folder), without a trailing
// delimiter.
std::string SystemFolder();

// The folder for temporary files as the system names it, ending in a delimiter; it is not checked
// that it exists.
std::string TemporaryFolder();

// Where temporary files go when the system's temporary folder does not exist: the root of the
// system's drive ("c:" on Windows, "/" elsewhere).
std::string FallbackTemporaryFolder();

}  // namespace lintavo::os
