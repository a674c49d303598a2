#include "os/Launch.h"

#include <windows.h>
#include <shellapi.h>

#include "os/win32/WideText.h"

namespace lintavo::os {

// ShellExecute reports success with a value above 32.
bool ShellExecuteOpen(const std::string& program, const std::string& parameters) {
  const HINSTANCE result = ShellExecuteW(
      nullptr, L"open", win32::Wide(program).c_str(),
      parameters.empty() ? nullptr : win32::Wide(parameters).c_str(), nullptr, SW_SHOWNORMAL);
  return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace lintavo::os
