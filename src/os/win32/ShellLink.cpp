#include "os/ShellLink.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "os/win32/WideText.h"

// A shell link is written through the shell's own objects: IShellLinkW describes it and
// IPersistFile saves it. COM is started for the call and stopped after it, unless the thread
// already runs it.

namespace lintavo::os {

namespace {

// Releases a COM interface when it goes.
template <typename Interface>
class ComPointer {
 public:
  ComPointer() = default;
  ComPointer(const ComPointer&) = delete;
  ComPointer& operator=(const ComPointer&) = delete;
  ~ComPointer() {
    if (pointer_ != nullptr) {
      pointer_->Release();
    }
  }
  Interface** Out() { return &pointer_; }
  Interface* operator->() const { return pointer_; }

 private:
  Interface* pointer_ = nullptr;
};

}  // namespace

bool SaveShellLink(const std::string& linkPath, const std::string& target,
                   const std::string& workingFolder) {
  if (linkPath.empty()) {
    return false;
  }
  const HRESULT started = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  bool saved = false;
  {
    ComPointer<IShellLinkW> link;
    ComPointer<IPersistFile> file;
    saved =
        SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(link.Out()))) &&
        SUCCEEDED(link->SetPath(win32::Wide(target).c_str())) &&
        SUCCEEDED(link->SetWorkingDirectory(win32::Wide(workingFolder).c_str())) &&
        SUCCEEDED(link->SetIconLocation(win32::Wide(target).c_str(), 0)) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.Out()))) &&
        SUCCEEDED(file->Save(win32::Wide(linkPath).c_str(), TRUE));
  }
  if (SUCCEEDED(started)) {
    CoUninitialize();
  }
  return saved;
}

}  // namespace lintavo::os
