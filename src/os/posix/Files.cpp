#include "os/Files.h"

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <optional>
#include <string_view>

#include "base/PathText.h"
#include "base/Text.h"

namespace lintavo::os {

namespace {

// Numbers the temporary files of this process, so concurrent writers never pick the same name.
std::atomic<unsigned> temporaryCounter{0};

// As many links as the kernel follows in one path before it gives up with ELOOP.
constexpr int kMaxLinkHops = 40;

int AsDescriptor(std::intptr_t handle) {
  return static_cast<int>(handle);
}

// The file that a rewrite of `path` replaces: `path` itself, or the file its chain of symbolic
// links ends at, which need not exist yet. Renaming over the link instead would turn it into a
// plain file and leave the file it leads to stale (a settings file linked from a dotfile folder).
ErrorCode ResolveLinks(const std::string& path, std::string& target) {
  target = path;
  for (int hop = 0; hop < kMaxLinkHops; ++hop) {
    char buffer[PATH_MAX];
    const ssize_t length = readlink(target.c_str(), buffer, sizeof buffer);
    if (length < 0) {
      // Not a link (EINVAL) or nothing there (ENOENT): `target` is the file to replace.
      return errno == EINVAL || errno == ENOENT ? 0 : errno;
    }
    if (length == static_cast<ssize_t>(sizeof buffer)) {
      return ENAMETOOLONG;
    }
    std::string next(buffer, static_cast<std::size_t>(length));
    if (next.front() != '/') {
      next = base::JoinPath(base::ParentFolder(target), next);  // relative to the link's own folder
    }
    target = std::move(next);
  }
  return ELOOP;
}

// Opens a plain file for reading. Opening does not block, so a pipe without a writer is refused
// at once instead of waited on; anything but a plain file (a folder, a pipe, a device) is refused
// rather than read.
ErrorCode OpenPlainFile(const std::string& path, int& fd, off_t& size) {
  fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    return errno;
  }
  struct stat info {};
  ErrorCode error = 0;
  if (fstat(fd, &info) != 0) {
    error = errno;
  } else if (!S_ISREG(info.st_mode)) {
    error = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
  }
  if (error != 0) {
    close(fd);
    fd = -1;
    return error;
  }
  size = info.st_size;
  return 0;
}

ErrorCode WriteAll(int fd, const char* data, std::size_t size, off_t offset) {
  while (size > 0) {
    const ssize_t written = pwrite(fd, data, size, offset);
    if (written < 0) {
      if (errno == EINTR) {
        continue;
      }
      return errno;
    }
    data += written;
    size -= static_cast<std::size_t>(written);
    offset += written;
  }
  return 0;
}

}  // namespace

bool FileExists(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool DirectoryExists(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string FindFileIgnoringCase(const std::string& folder, const std::string& name) {
  if (std::string exact = base::JoinPath(folder, name); FileExists(exact)) {
    return exact;
  }
  std::string found;
  for (const std::string& candidate : NamesInFolder(folder.empty() ? "." : folder)) {
    if (base::EqualIgnoringAsciiCase(candidate, name) && (found.empty() || candidate < found) &&
        FileExists(base::JoinPath(folder, candidate))) {
      found = candidate;
    }
  }
  return found.empty() ? std::string() : base::JoinPath(folder, found);
}

std::vector<std::string> NamesInFolder(const std::string& folder) {
  std::vector<std::string> names;
  DIR* listing = opendir(folder.c_str());
  if (listing == nullptr) {
    return names;
  }
  while (const dirent* entry = readdir(listing)) {
    const std::string_view name = entry->d_name;
    if (name != "." && name != "..") {
      names.emplace_back(name);
    }
  }
  closedir(listing);
  return names;
}

std::optional<FolderIdentity> IdentityOfFolder(const std::string& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
    return std::nullopt;
  }
  return FolderIdentity{static_cast<std::uint64_t>(info.st_dev),
                        static_cast<std::uint64_t>(info.st_ino)};
}

bool CanCreateFilesIn(const std::string& folder) {
  // mkstemp makes a name of its own and creates the file exclusively, so no file of the user's
  // can be the one created and removed.
  std::string probe = base::JoinPath(folder, ".lintavo-probe-XXXXXX");
  const int fd = mkstemp(probe.data());
  if (fd < 0) {
    return false;
  }
  close(fd);
  unlink(probe.c_str());
  return true;
}

bool IsOwnWritableFolder(const std::string& folder) {
  // The superuser owns the system's folders too, so for them owning a folder says nothing about
  // its being a copy of their own.
  const uid_t user = geteuid();
  struct stat facts {};
  return user != 0 && stat(folder.c_str(), &facts) == 0 && S_ISDIR(facts.st_mode) &&
         facts.st_uid == user && CanCreateFilesIn(folder);
}

bool CreateDir(const std::string& path) {
  return mkdir(path.c_str(), 0777) == 0;
}

bool RemoveFile(const std::string& path) {
  return unlink(path.c_str()) == 0;
}

ErrorCode OpenFileForReading(const std::string& path, std::FILE*& file) {
  file = nullptr;
  int fd = -1;
  off_t size = 0;
  if (const ErrorCode error = OpenPlainFile(path, fd, size)) {
    return error;
  }
  file = fdopen(fd, "rb");
  if (file == nullptr) {
    const int error = errno;
    close(fd);
    return error;
  }
  return 0;
}

ErrorCode ReadFileUpTo(const std::string& path, std::size_t maxSize, std::string& bytes) {
  bytes.clear();
  int fd = -1;
  off_t size = 0;
  if (const ErrorCode error = OpenPlainFile(path, fd, size)) {
    return error;
  }
  if (static_cast<std::uintmax_t>(size) > maxSize) {
    close(fd);
    return EFBIG;
  }
  bytes.reserve(static_cast<std::size_t>(size));
  char buffer[65536];
  for (;;) {
    const ssize_t got = read(fd, buffer, sizeof buffer);
    if (got < 0) {
      if (errno == EINTR) {
        continue;
      }
      const int error = errno;
      close(fd);
      bytes.clear();
      return error;
    }
    if (got == 0) {
      break;
    }
    if (static_cast<std::size_t>(got) > maxSize - bytes.size()) {
      close(fd);
      bytes.clear();
      return EFBIG;
    }
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
  close(fd);
  return 0;
}

ExistingFile ReadFileToRewrite(const std::string& path, std::string& bytes, std::size_t maxSize) {
  const ErrorCode error = ReadFileUpTo(path, maxSize, bytes);
  if (error == 0) {
    return ExistingFile::Read;
  }
  return error == ENOENT ? ExistingFile::Missing : ExistingFile::Unreadable;
}

ErrorCode AtomicFileWriter::Open(const std::string& path, FileKind kind) {
  Discard();
  std::string target;
  if (const ErrorCode error = ResolveLinks(path, target)) {
    return error;
  }
  // A new document or generated file gets the ordinary permissions, which the process's umask
  // trims, and one that replaces another passes that one's permissions on. A program can be run by
  // everyone and written by its owner alone, whatever the umask.
  struct stat existing;
  std::optional<mode_t> mode;
  if (kind == FileKind::Program) {
    mode = 0755;
  } else if (stat(target.c_str(), &existing) == 0) {
    mode = existing.st_mode & 07777;
  }
  for (int attempt = 0;; ++attempt) {
    std::string candidate = target + ".tmp" + std::to_string(getpid()) + "-" +
                            std::to_string(temporaryCounter.fetch_add(1));
    const int fd = open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
      if (mode) {
        fchmod(fd, *mode);
      }
      path_ = std::move(target);
      temporaryPath_ = std::move(candidate);
      kind_ = kind;
      handle_ = fd;
      return 0;
    }
    // A leftover of another process with the same number: take the next name.
    if (errno != EEXIST || attempt == 100) {
      return errno;
    }
  }
}

ErrorCode AtomicFileWriter::WriteAt(std::uint64_t offset, const void* data, std::size_t size) {
  if (handle_ < 0) {
    return EBADF;
  }
  const int fd = AsDescriptor(handle_);
  if (const ErrorCode error =
          WriteAll(fd, static_cast<const char*>(data), size, static_cast<off_t>(offset))) {
    return error;
  }
  // A file that Commit flushes starts on its way to the disk now, part by part as it is written,
  // so that the flush only waits for the last part. This only starts the writing: it is no flush,
  // and its failures show again, and count, when Commit flushes.
  if (kind_ != FileKind::Generated) {
    sync_file_range(fd, static_cast<off_t>(offset), static_cast<off_t>(size),
                    SYNC_FILE_RANGE_WRITE);
  }
  return 0;
}

ErrorCode AtomicFileWriter::Commit() {
  if (handle_ < 0) {
    return EBADF;
  }
  const int fd = AsDescriptor(handle_);
  ErrorCode error = kind_ == FileKind::Generated || fsync(fd) == 0 ? 0 : errno;
  if (close(fd) != 0 && error == 0) {
    error = errno;
  }
  handle_ = -1;
  if (error == 0 && rename(temporaryPath_.c_str(), path_.c_str()) != 0) {
    error = errno;
  }
  // The folder entry is not flushed: after a crash the rename may be lost, which leaves the old
  // file whole, and that is all the caller is promised.
  if (error != 0) {
    unlink(temporaryPath_.c_str());
  }
  temporaryPath_.clear();
  return error;
}

void AtomicFileWriter::Discard() {
  if (handle_ >= 0) {
    close(AsDescriptor(handle_));
    handle_ = -1;
  }
  if (!temporaryPath_.empty()) {
    unlink(temporaryPath_.c_str());
    temporaryPath_.clear();
  }
}

}  // namespace lintavo::os
