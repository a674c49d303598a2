#pragma once

#include <string>

// The program keeps text in the system's 8-bit code page (the ANSI code page); the Windows API
// takes UTF-16. Text crosses between the two here, and only here.
namespace lintavo::os::win32 {

// `text` in the ANSI code page, as UTF-16.
std::wstring Wide(const std::string& text);

// UTF-16 `text` in the ANSI code page; a character the code page lacks becomes its best fit, or
// "?", as the system converts it.
std::string Narrow(const std::wstring& text);

}  // namespace lintavo::os::win32
