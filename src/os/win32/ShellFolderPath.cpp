#include "os/win32/ShellFolderPath.h"

#include <windows.h>
#include <shlobj.h>

#include "base/PathText.h"
#include "os/win32/WideText.h"

namespace lintavo::os::win32 {

std::string ShellFolderPath(int csidl) {
  wchar_t path[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, csidl | CSIDL_FLAG_DONT_VERIFY, nullptr, SHGFP_TYPE_CURRENT,
                              path))) {
    return std::string();
  }
  return base::WithoutTrailingDelimiter(Narrow(path));
}

}  // namespace lintavo::os::win32
