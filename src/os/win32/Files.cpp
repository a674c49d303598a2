#include "os/Files.h"

#include <windows.h>
#include <aclapi.h>
#include <fcntl.h>
#include <io.h>

#include <atomic>
#include <string_view>

#include "base/PathText.h"
#include "base/Text.h"
#include "os/win32/WideText.h"

namespace lintavo::os {

namespace {

// Numbers the temporary files of this process, so concurrent writers never pick the same name.
std::atomic<unsigned> temporaryCounter{0};

// The system's last error, with a missing folder on the way told as a missing file: callers ask
// for kNotFound alone, as on every system.
ErrorCode LastError() {
  const DWORD error = GetLastError();
  return static_cast<ErrorCode>(error == ERROR_PATH_NOT_FOUND ? ERROR_FILE_NOT_FOUND : error);
}

HANDLE AsHandle(std::intptr_t handle) {
  return reinterpret_cast<HANDLE>(handle);
}

bool IsMissing(ErrorCode error) {
  return error == ERROR_FILE_NOT_FOUND;
}

// The file that a rewrite of `path` replaces: the file a symbolic link (a reparse point) leads to,
// so that the link stays a link, or `path` itself when it is none or nothing is there yet.
ErrorCode ResolveLinks(const std::string& path, std::string& target) {
  target = path;
  const std::wstring wide = win32::Wide(path);
  const DWORD attributes = GetFileAttributesW(wide.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const ErrorCode error = LastError();
    return IsMissing(error) ? 0 : error;
  }
  if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
    return 0;
  }
  const HANDLE file =
      CreateFileW(wide.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const ErrorCode error = LastError();
    return IsMissing(error) ? 0 : error;  // a link that leads nowhere is replaced itself
  }
  std::wstring resolved(32768, L'\0');
  const DWORD length = GetFinalPathNameByHandleW(
      file, resolved.data(), static_cast<DWORD>(resolved.size()), VOLUME_NAME_DOS);
  const ErrorCode error = length == 0 ? LastError() : 0;
  CloseHandle(file);
  if (error != 0) {
    return error;
  }
  resolved.resize(length);
  // "\\?\C:\..." names a drive's path; "\\?\UNC\server\share\..." a share's.
  if (resolved.starts_with(L"\\\\?\\UNC\\")) {
    resolved = L"\\\\" + resolved.substr(8);
  } else if (resolved.starts_with(L"\\\\?\\")) {
    resolved = resolved.substr(4);
  }
  target = win32::Narrow(resolved);
  return 0;
}

// Opens a plain file for reading. Anything but a file on a disk (a folder, a pipe, a device such
// as CON) is refused rather than read, so nothing can make a read wait.
ErrorCode OpenPlainFile(const std::string& path, HANDLE& file, std::uint64_t& size) {
  const std::wstring wide = win32::Wide(path);
  const DWORD attributes = GetFileAttributesW(wide.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return ERROR_DIRECTORY;
  }
  file = CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return LastError();
  }
  LARGE_INTEGER length{};
  ErrorCode error = 0;
  if (GetFileType(file) != FILE_TYPE_DISK) {
    error = ERROR_INVALID_DATA;
  } else if (!GetFileSizeEx(file, &length)) {
    error = LastError();
  }
  if (error != 0) {
    CloseHandle(file);
    file = INVALID_HANDLE_VALUE;
    return error;
  }
  size = static_cast<std::uint64_t>(length.QuadPart);
  return 0;
}

// The current user's security identifier, in a buffer of its own.
std::vector<char> CurrentUserSid() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
    return {};
  }
  DWORD size = 0;
  GetTokenInformation(token, TokenUser, nullptr, 0, &size);
  std::vector<char> buffer(size);
  const bool read =
      size > 0 && GetTokenInformation(token, TokenUser, buffer.data(), size, &size) != 0;
  CloseHandle(token);
  return read ? buffer : std::vector<char>();
}

}  // namespace

bool FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(win32::Wide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool DirectoryExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(win32::Wide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// The file system compares names without regard to case itself, so a name asked for in any case
// is found; the folder's listing gives the spelling the file is stored under.
std::string FindFileIgnoringCase(const std::string& folder, const std::string& name) {
  std::string found;
  for (const std::string& candidate : NamesInFolder(folder.empty() ? "." : folder)) {
    if (base::EqualIgnoringAsciiCase(candidate, name) &&
        (found.empty() || candidate == name || (found != name && candidate < found)) &&
        FileExists(base::JoinPath(folder, candidate))) {
      found = candidate;
    }
  }
  return found.empty() ? std::string() : base::JoinPath(folder, found);
}

std::vector<std::string> NamesInFolder(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW entry{};
  const HANDLE search = FindFirstFileW(win32::Wide(base::JoinPath(folder, "*")).c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) {
    return names;
  }
  do {
    const std::wstring_view name = entry.cFileName;
    if (name != L"." && name != L"..") {
      names.push_back(win32::Narrow(std::wstring(name)));
    }
  } while (FindNextFileW(search, &entry));
  FindClose(search);
  return names;
}

std::optional<FolderIdentity> IdentityOfFolder(const std::string& path) {
  const HANDLE folder = CreateFileW(win32::Wide(path).c_str(), 0,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (folder == INVALID_HANDLE_VALUE) {
    return std::nullopt;
  }
  BY_HANDLE_FILE_INFORMATION facts{};
  const bool known = GetFileInformationByHandle(folder, &facts) != 0;
  CloseHandle(folder);
  if (!known || (facts.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
    return std::nullopt;
  }
  return FolderIdentity{facts.dwVolumeSerialNumber,
                        (std::uint64_t{facts.nFileIndexHigh} << 32) | facts.nFileIndexLow};
}

// The probe's name is made by the system and the file created exclusively, so no file of the
// user's can be the one created and removed.
bool CanCreateFilesIn(const std::string& folder) {
  wchar_t probe[MAX_PATH] = {};
  if (GetTempFileNameW(win32::Wide(folder).c_str(), L"lnt", 0, probe) == 0) {
    return false;
  }
  DeleteFileW(probe);
  return true;
}

bool IsOwnWritableFolder(const std::string& folder) {
  PSID owner = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (GetNamedSecurityInfoW(win32::Wide(folder).c_str(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION,
                            &owner, nullptr, nullptr, nullptr, &descriptor) != ERROR_SUCCESS) {
    return false;
  }
  const std::vector<char> user = CurrentUserSid();
  const bool owned =
      !user.empty() &&
      EqualSid(owner, reinterpret_cast<const TOKEN_USER*>(user.data())->User.Sid) != 0;
  LocalFree(descriptor);
  return owned && DirectoryExists(folder) && CanCreateFilesIn(folder);
}

bool CreateDir(const std::string& path) {
  return CreateDirectoryW(win32::Wide(path).c_str(), nullptr) != 0;
}

bool RemoveFile(const std::string& path) {
  return DeleteFileW(win32::Wide(path).c_str()) != 0;
}

ErrorCode OpenFileForReading(const std::string& path, std::FILE*& file) {
  file = nullptr;
  HANDLE handle = INVALID_HANDLE_VALUE;
  std::uint64_t size = 0;
  if (const ErrorCode error = OpenPlainFile(path, handle, size)) {
    return error;
  }
  const int descriptor = _open_osfhandle(reinterpret_cast<std::intptr_t>(handle), _O_RDONLY);
  if (descriptor < 0) {
    CloseHandle(handle);
    return ERROR_TOO_MANY_OPEN_FILES;
  }
  file = _fdopen(descriptor, "rb");
  if (file == nullptr) {
    _close(descriptor);
    return ERROR_TOO_MANY_OPEN_FILES;
  }
  return 0;
}

ErrorCode ReadFileUpTo(const std::string& path, std::size_t maxSize, std::string& bytes) {
  bytes.clear();
  HANDLE file = INVALID_HANDLE_VALUE;
  std::uint64_t size = 0;
  if (const ErrorCode error = OpenPlainFile(path, file, size)) {
    return error;
  }
  if (size > maxSize) {
    CloseHandle(file);
    return ERROR_FILE_TOO_LARGE;
  }
  bytes.reserve(static_cast<std::size_t>(size));
  char buffer[65536];
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(file, buffer, sizeof buffer, &got, nullptr)) {
      const ErrorCode error = LastError();
      CloseHandle(file);
      bytes.clear();
      return error;
    }
    if (got == 0) {
      break;
    }
    if (got > maxSize - bytes.size()) {
      CloseHandle(file);
      bytes.clear();
      return ERROR_FILE_TOO_LARGE;
    }
    bytes.append(buffer, got);
  }
  CloseHandle(file);
  return 0;
}

// A path that runs through a file ("settings.ini\\below") names nothing, yet nothing can be
// created there either: it counts as unreadable, as on POSIX systems.
ExistingFile ReadFileToRewrite(const std::string& path, std::string& bytes, std::size_t maxSize) {
  const ErrorCode error = ReadFileUpTo(path, maxSize, bytes);
  if (error == 0) {
    return ExistingFile::Read;
  }
  if (!IsMissing(error)) {
    return ExistingFile::Unreadable;
  }
  for (std::string above = base::ParentFolder(path); above != ".";) {
    if (FileExists(above)) {
      return ExistingFile::Unreadable;
    }
    std::string next = base::ParentFolder(above);
    if (DirectoryExists(above) || next == above) {
      break;
    }
    above = std::move(next);
  }
  return ExistingFile::Missing;
}

ErrorCode AtomicFileWriter::Open(const std::string& path, FileKind kind) {
  Discard();
  std::string target;
  if (const ErrorCode error = ResolveLinks(path, target)) {
    return error;
  }
  for (int attempt = 0;; ++attempt) {
    std::string candidate = target + ".tmp" + std::to_string(GetCurrentProcessId()) + "-" +
                            std::to_string(temporaryCounter.fetch_add(1));
    const HANDLE file = CreateFileW(win32::Wide(candidate).c_str(), GENERIC_WRITE, 0, nullptr,
                                    CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      path_ = std::move(target);
      temporaryPath_ = std::move(candidate);
      kind_ = kind;
      handle_ = reinterpret_cast<std::intptr_t>(file);
      return 0;
    }
    // A leftover of another process with the same number: take the next name.
    const ErrorCode error = LastError();
    if (error != ERROR_FILE_EXISTS || attempt == 100) {
      return error;
    }
  }
}

ErrorCode AtomicFileWriter::WriteAt(std::uint64_t offset, const void* data, std::size_t size) {
  if (handle_ == -1) {
    return ERROR_INVALID_HANDLE;
  }
  const char* bytes = static_cast<const char*>(data);
  while (size > 0) {
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(offset);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
    DWORD written = 0;
    if (!WriteFile(AsHandle(handle_), bytes, chunk, &written, &at)) {
      return LastError();
    }
    bytes += written;
    size -= written;
    offset += written;
  }
  return 0;
}

// A file that replaces another keeps that one's attributes and permissions (ReplaceFileW); a new
// one is moved into place. Either way the old file stays whole until the new one is complete.
ErrorCode AtomicFileWriter::Commit() {
  if (handle_ == -1) {
    return ERROR_INVALID_HANDLE;
  }
  const HANDLE file = AsHandle(handle_);
  ErrorCode error = kind_ == FileKind::Generated || FlushFileBuffers(file) ? 0 : LastError();
  if (!CloseHandle(file) && error == 0) {
    error = LastError();
  }
  handle_ = -1;
  const std::wstring temporary = win32::Wide(temporaryPath_);
  const std::wstring target = win32::Wide(path_);
  // A folder in the file's place is never replaced, whatever it holds.
  if (const DWORD attributes = GetFileAttributesW(target.c_str());
      error == 0 && attributes != INVALID_FILE_ATTRIBUTES &&
      (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    error = ERROR_DIRECTORY;
  }
  if (error == 0 && kind_ == FileKind::Document &&
      ReplaceFileW(target.c_str(), temporary.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                   nullptr, nullptr)) {
    temporaryPath_.clear();
    return 0;
  }
  if (error == 0 && !MoveFileExW(temporary.c_str(), target.c_str(),
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    error = LastError();
  }
  if (error != 0) {
    DeleteFileW(temporary.c_str());
  }
  temporaryPath_.clear();
  return error;
}

void AtomicFileWriter::Discard() {
  if (handle_ != -1) {
    CloseHandle(AsHandle(handle_));
    handle_ = -1;
  }
  if (!temporaryPath_.empty()) {
    DeleteFileW(win32::Wide(temporaryPath_).c_str());
    temporaryPath_.clear();
  }
}

}  // namespace lintavo::os
