#include "os/BrowserLocks.h"

#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <optional>
#include <string_view>

#include "base/PathText.h"

namespace lintavo::os {

namespace {

// The target of a symbolic link; nothing when `path` is no link or cannot be read.
std::optional<std::string> LinkTarget(const std::string& path) {
  char buffer[PATH_MAX];
  const ssize_t length = readlink(path.c_str(), buffer, sizeof buffer);
  if (length < 0 || length == static_cast<ssize_t>(sizeof buffer)) {
    return std::nullopt;
  }
  return std::string(buffer, static_cast<std::size_t>(length));
}

// A process id written in decimal, with nothing else: 0 and negative numbers would stand for
// process groups in kill(), never for one process.
std::optional<pid_t> ProcessId(std::string_view text) {
  pid_t pid = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, pid);
  if (error != std::errc() || stop != end || pid <= 0) {
    return std::nullopt;
  }
  return pid;
}

// Whether the process exists (it may belong to another user, which only forbids signalling it).
bool ProcessLives(pid_t pid) {
  return kill(pid, 0) == 0 || errno == EPERM;
}

// Whether another process holds an fcntl lock on any part of the file. F_OFD_GETLK only asks; it
// sees the classic locks of every process, this one's included, and other descriptions' locks.
bool LockedByAnother(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    return false;
  }
  struct stat info {};
  struct flock lock {};
  lock.l_type = F_WRLCK;
  lock.l_whence = SEEK_SET;
  const bool locked = fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
                      fcntl(fd, F_OFD_GETLK, &lock) == 0 && lock.l_type != F_UNLCK;
  close(fd);
  return locked;
}

std::string HostName() {
  char name[HOST_NAME_MAX + 1] = {};
  return gethostname(name, sizeof name - 1) == 0 ? std::string(name) : std::string();
}

}  // namespace

bool FirefoxProfileInUse(const std::string& profileFolder) {
  if (LockedByAnother(base::JoinPath(profileFolder, ".parentlock"))) {
    return true;
  }
  const std::optional<std::string> target = LinkTarget(base::JoinPath(profileFolder, "lock"));
  if (!target) {
    return false;
  }
  const std::size_t separator = target->rfind(":+");
  if (separator == std::string::npos) {
    return false;
  }
  const std::optional<pid_t> pid = ProcessId(std::string_view(*target).substr(separator + 2));
  return pid && ProcessLives(*pid);
}

bool ChromiumUserDataInUse(const std::string& userDataFolder) {
  const std::optional<std::string> target =
      LinkTarget(base::JoinPath(userDataFolder, "SingletonLock"));
  if (!target) {
    return false;
  }
  const std::size_t separator = target->rfind('-');
  if (separator == std::string::npos) {
    return false;
  }
  const std::string_view host = std::string_view(*target).substr(0, separator);
  const std::optional<pid_t> pid = ProcessId(std::string_view(*target).substr(separator + 1));
  return pid && host == HostName() && ProcessLives(*pid);
}

}  // namespace lintavo::os
