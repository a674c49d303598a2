#pragma once

#include <cstdint>

#include "os/WindowHandle.h"

namespace lintavo {

// The help engine's entry point, exported by the engine under the name "HtmlHelpA": the calling
// window, the help file's path as 8-bit text, a command and its data; it answers the help
// window, or 0.
using HtmlHelpFunction = os::WindowHandle (*)(os::WindowHandle caller, const char* path,
                                              std::uint32_t command, std::uintptr_t data);

inline constexpr const char* kHtmlHelpEntryName = "HtmlHelpA";

// Opens the help file at its default topic; the data is 0.
inline constexpr std::uint32_t HH_DISPLAY_TOPIC = 0;

}  // namespace lintavo
