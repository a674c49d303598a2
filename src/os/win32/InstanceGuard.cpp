#include "os/InstanceGuard.h"

#include <windows.h>

#include <cstdint>

#include "base/Failure.h"
#include "os/Paths.h"
#include "os/SystemError.h"
#include "os/win32/WideText.h"

// The record is a named file mapping of 8 bytes in the logon session's namespace ("Local\"), so
// every user's session has its own. Windows removes a mapping with its last handle, also when its
// process is killed, so a record that exists belongs to a live instance. A named mutex beside it
// lets one start at a time read and change the record. A refused start brings the running
// instance's window to the front through the handle the record holds.

namespace lintavo::os {

namespace {

// The 8 bytes of the record as the program lays them out.
struct Record {
  std::uint32_t window;
  std::int32_t instanceCount;
};
static_assert(sizeof(Record) == 8);

[[noreturn]] void ThrowSystemError(DWORD code) {
  throw Failure("System Error.  Code: " + std::to_string(code) + ".\n" +
                SystemErrorMessage(static_cast<ErrorCode>(code)));
}

// Holds the named mutex for one start or exit.
class StartLock {
 public:
  explicit StartLock(const std::wstring& name)
      : mutex_(CreateMutexW(nullptr, FALSE, name.c_str())) {
    if (mutex_ == nullptr) {
      ThrowSystemError(GetLastError());
    }
    const DWORD waited = WaitForSingleObject(mutex_, INFINITE);
    if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) {
      const DWORD code = GetLastError();
      CloseHandle(mutex_);
      ThrowSystemError(code);
    }
  }
  StartLock(const StartLock&) = delete;
  StartLock& operator=(const StartLock&) = delete;
  ~StartLock() {
    ReleaseMutex(mutex_);
    CloseHandle(mutex_);
  }

 private:
  HANDLE mutex_;
};

// Restores the window from the taskbar when it is minimized, and brings it to the front.
void BringToFront(std::uint32_t window) {
  const HWND handle = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(window));
  if (window == 0 || !IsWindow(handle)) {
    return;
  }
  if (IsIconic(handle)) {
    ShowWindow(handle, SW_RESTORE);
  }
  SetForegroundWindow(handle);
}

}  // namespace

struct InstanceGuard::State {
  bool decided = false;
  bool refused = false;
  std::wstring mutexName;
  HANDLE mapping = nullptr;
  Record* record = nullptr;
  bool counted = false;

  void CloseRecord() {
    if (record != nullptr) {
      UnmapViewOfFile(record);
      record = nullptr;
    }
    if (mapping != nullptr) {
      CloseHandle(mapping);
      mapping = nullptr;
    }
  }
};

InstanceGuard::InstanceGuard() : state_(std::make_unique<State>()) {}

InstanceGuard::~InstanceGuard() {
  ReleaseInstance();
}

bool InstanceGuard::RefuseIfRunning(WindowHandle window, int maxInstances) {
  State& state = *state_;
  if (state.decided) {
    return state.refused;
  }
  const std::wstring name = L"Local\\" + win32::Wide(MappingName(ProgramPath()));
  state.mutexName = name + L"-start";
  const StartLock lock(state.mutexName);

  state.mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                     sizeof(Record), name.c_str());
  if (state.mapping == nullptr) {
    ThrowSystemError(GetLastError());
  }
  const bool existed = GetLastError() == ERROR_ALREADY_EXISTS;
  state.record = static_cast<Record*>(
      MapViewOfFile(state.mapping, FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, sizeof(Record)));
  if (state.record == nullptr) {
    const DWORD code = GetLastError();
    state.CloseRecord();
    ThrowSystemError(code);
  }
  if (!existed) {
    *state.record = Record{static_cast<std::uint32_t>(window), 1};
    state.counted = true;
  } else if (maxInstances > state.record->instanceCount) {
    state.record->window = static_cast<std::uint32_t>(window);
    ++state.record->instanceCount;
    state.counted = true;
  }
  state.decided = true;
  state.refused = !state.counted;
  if (state.refused) {
    BringToFront(state.record->window);
    // A refused start holds nothing, so it never keeps the record alive.
    state.CloseRecord();
  }
  return state.refused;
}

void InstanceGuard::ReleaseInstance() {
  State& state = *state_;
  if (state.counted) {
    const StartLock lock(state.mutexName);
    --state.record->instanceCount;
    state.counted = false;
  }
  state.CloseRecord();
}

// Requests to come to the front reach the window itself.
WaitHandle InstanceGuard::ActivationRequestHandle() const {
  return kNoWaitHandle;
}

bool InstanceGuard::TakeActivationRequest() {
  return false;
}

}  // namespace lintavo::os
