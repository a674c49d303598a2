#include "os/SharedLibrary.h"

#include <windows.h>

#include "os/win32/WideText.h"

namespace lintavo::os {

// LOAD_WITH_ALTERED_SEARCH_PATH finds the library's own dependencies beside it, as a library
// loaded from the program's folder expects. A missing file is never looked for elsewhere: the
// path is made absolute first.
LibraryHandle LoadSharedLibrary(const std::string& path) {
  const std::wstring wide = win32::Wide(path);
  std::wstring full(MAX_PATH, L'\0');
  DWORD length =
      GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
  if (length >= full.size()) {
    full.resize(length);
    length = GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
  }
  if (length == 0 || length >= full.size()) {
    return 0;
  }
  full.resize(length);
  return reinterpret_cast<LibraryHandle>(
      LoadLibraryExW(full.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
}

LibraryFunction FindLibraryFunction(LibraryHandle library, const std::string& name) {
  if (library == 0) {
    return nullptr;
  }
  return reinterpret_cast<LibraryFunction>(
      GetProcAddress(reinterpret_cast<HMODULE>(library), name.c_str()));
}

void UnloadSharedLibrary(LibraryHandle library) {
  if (library != 0) {
    FreeLibrary(reinterpret_cast<HMODULE>(library));
  }
}

}  // namespace lintavo::os
