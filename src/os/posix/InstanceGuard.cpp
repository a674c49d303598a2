#include "os/InstanceGuard.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "base/Failure.h"
#include "os/Paths.h"
#include "os/SystemError.h"
#include "os/posix/ActivationChannel.h"
#include "os/posix/InstanceNames.h"

// The record is a POSIX shared memory object. The object itself outlives its processes, so whether
// the record "exists" is decided by locks, which the kernel drops with the last descriptor of a
// process, also when it is killed:
// - an exclusive lock on byte 0 serialises the starts and the orderly exits;
// - every admitted instance holds a shared lock on byte 1 for its whole life.
// A start that can take an exclusive lock on byte 1 sees no live instance, so it makes a fresh
// record; otherwise the record exists and its count decides. The locks are open-file-description
// locks: they belong to the descriptor, not to the process, so two guards in one process also
// exclude each other. The last instance to end in order removes the object.

namespace lintavo::os {

namespace {

constexpr off_t kStartLockByte = 0;
constexpr off_t kInstanceLockByte = 1;

// The 8 bytes of the record as the program lays them out.
struct Record {
  std::uint32_t window;
  std::int32_t instanceCount;
};
static_assert(sizeof(Record) == 8);

[[noreturn]] void ThrowSystemError(int code) {
  throw Failure("System Error.  Code: " + std::to_string(code) + ".\n" + SystemErrorMessage(code));
}

// Sets (type F_RDLCK / F_WRLCK) or clears (F_UNLCK) this descriptor's lock on one byte. With
// `wait` it waits for other holders to let go; otherwise it fails at once when they hold it.
bool LockByte(int descriptor, short type, off_t byte, bool wait) {
  struct flock lock {};
  lock.l_type = type;
  lock.l_whence = SEEK_SET;
  lock.l_start = byte;
  lock.l_len = 1;
  while (fcntl(descriptor, wait ? F_OFD_SETLKW : F_OFD_SETLK, &lock) != 0) {
    if (errno != EINTR) {
      return false;
    }
  }
  return true;
}

// Opens the record object, creating it when missing, and takes the start lock. An orderly exit
// may remove the object while this start waits for the lock; then the start begins again with the
// object that holds the name now.
int OpenRecordForStart(const std::string& objectName) {
  for (;;) {
    const int descriptor = shm_open(objectName.c_str(), O_RDWR | O_CREAT, 0600);
    if (descriptor < 0) {
      ThrowSystemError(errno);
    }
    struct stat info {};
    if (!LockByte(descriptor, F_WRLCK, kStartLockByte, true) || fstat(descriptor, &info) != 0) {
      const int code = errno;
      close(descriptor);
      ThrowSystemError(code);
    }
    if (info.st_nlink > 0) {
      return descriptor;
    }
    close(descriptor);
  }
}

Record* MapRecord(int descriptor) {
  void* view = mmap(nullptr, sizeof(Record), PROT_READ | PROT_WRITE, MAP_SHARED, descriptor, 0);
  return view == MAP_FAILED ? nullptr : static_cast<Record*>(view);
}

bool HoldsWholeRecord(int descriptor) {
  struct stat info {};
  return fstat(descriptor, &info) == 0 && info.st_size >= static_cast<off_t>(sizeof(Record));
}

}  // namespace

struct InstanceGuard::State {
  std::optional<bool> refused;  // the answer of RefuseIfRunning, once it has run
  std::string objectName;
  int recordDescriptor = -1;
  Record* record = nullptr;
  bool counted = false;
  int activationListener = -1;

  // Drops the view and the descriptor, and with it every lock this guard holds.
  void CloseRecord() {
    if (record != nullptr) {
      munmap(record, sizeof(Record));
      record = nullptr;
    }
    if (recordDescriptor >= 0) {
      close(recordDescriptor);
      recordDescriptor = -1;
    }
  }
};

InstanceGuard::InstanceGuard() : state_(std::make_unique<State>()) {}

InstanceGuard::~InstanceGuard() {
  ReleaseInstance();
}

bool InstanceGuard::RefuseIfRunning(WindowHandle window, int maxInstances) {
  State& state = *state_;
  if (state.refused) {
    return *state.refused;
  }
  const std::string mappingName = MappingName(ProgramPath());
  state.objectName = posix::RecordObjectName(mappingName, getuid());
  state.recordDescriptor = OpenRecordForStart(state.objectName);
  const int descriptor = state.recordDescriptor;

  if (LockByte(descriptor, F_WRLCK, kInstanceLockByte, false)) {
    // No live instance holds the record: it is new or left by a killed one. Start it afresh.
    if (ftruncate(descriptor, sizeof(Record)) != 0 ||
        (state.record = MapRecord(descriptor)) == nullptr) {
      const int code = errno;
      state.CloseRecord();
      ThrowSystemError(code);
    }
    *state.record = Record{static_cast<std::uint32_t>(window), 1};
    // Turns the exclusive lock into this instance's shared one. Should that fail, the exclusive
    // lock stays and marks this instance as live just the same.
    LockByte(descriptor, F_RDLCK, kInstanceLockByte, false);
    state.counted = true;
  } else if (HoldsWholeRecord(descriptor) && (state.record = MapRecord(descriptor)) != nullptr) {
    if (maxInstances > state.record->instanceCount &&
        LockByte(descriptor, F_RDLCK, kInstanceLockByte, false)) {
      state.record->window = static_cast<std::uint32_t>(window);
      ++state.record->instanceCount;
      state.counted = true;
    }
  }
  // An existing record that cannot be read refuses the start without a request: the running copy
  // is left alone.

  const std::string socketName = posix::ActivationSocketName(mappingName, getuid());
  if (state.counted) {
    // Listening starts before the start lock is let go, so every start refused from now on finds
    // the listener.
    state.activationListener = posix::ListenForActivation(socketName);
    LockByte(descriptor, F_UNLCK, kStartLockByte, false);
    state.refused = false;
    return false;
  }
  const bool recordRead = state.record != nullptr;
  // A refused start holds nothing, so it never keeps the record alive.
  state.CloseRecord();
  if (recordRead) {
    posix::RequestActivation(socketName);
  }
  state.refused = true;
  return true;
}

void InstanceGuard::ReleaseInstance() {
  State& state = *state_;
  if (state.activationListener >= 0) {
    close(state.activationListener);
    state.activationListener = -1;
  }
  if (state.counted && LockByte(state.recordDescriptor, F_WRLCK, kStartLockByte, true)) {
    --state.record->instanceCount;
    // When no other instance holds the record any more, it ceases to exist.
    LockByte(state.recordDescriptor, F_UNLCK, kInstanceLockByte, false);
    if (LockByte(state.recordDescriptor, F_WRLCK, kInstanceLockByte, false)) {
      shm_unlink(state.objectName.c_str());
    }
  }
  state.counted = false;
  state.CloseRecord();
}

WaitHandle InstanceGuard::ActivationRequestHandle() const {
  return state_->activationListener >= 0 ? state_->activationListener : kNoWaitHandle;
}

bool InstanceGuard::TakeActivationRequest() {
  return state_->activationListener >= 0 && posix::TakeActivation(state_->activationListener);
}

}  // namespace lintavo::os
