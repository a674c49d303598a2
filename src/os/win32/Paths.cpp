#include "os/Paths.h"

#include <windows.h>

#include "base/PathText.h"
#include "os/win32/WideText.h"

namespace lintavo::os {

// The module's file name, grown until it fits: paths may be longer than MAX_PATH.
std::string ProgramPath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) {
      return std::string();
    }
    if (length < path.size()) {
      path.resize(length);
      return win32::Narrow(path);
    }
    path.resize(path.size() * 2);
  }
}

std::string ProgramFolder() {
  return base::WithTrailingDelimiter(base::ParentFolder(ProgramPath()));
}

}  // namespace lintavo::os
