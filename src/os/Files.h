#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "os/SystemError.h"

// Opening, reading and replacing files give an ErrorCode, 0 on success, whose reason a message
// names. Creating folders, copying and removing files answer true or false, as the system calls
// they stand for do: their callers go on either way or say what failed without a reason.
namespace lintavo::os {

bool FileExists(const std::string& path);       // an existing file that is not a folder
bool DirectoryExists(const std::string& path);  // an existing folder

// The path of the file named `name` in `folder`, the name compared without regard to ASCII letter
// case as on the system the program was designed for ("background2.jpg" answers for
// "background2.JPG"). The exact name wins; among other spellings, the first in byte order. Empty
// when the folder holds no such file.
std::string FindFileIgnoringCase(const std::string& folder, const std::string& name);

// The names in a folder, "." and ".." left out, in the order the system lists them; none when it
// cannot be listed.
std::vector<std::string> NamesInFolder(const std::string& folder);

// What a folder is on disk, whatever path leads to it: paths spelled differently ("a/b", "a//b/",
// "a/./b") or running through symbolic links to one folder give one identity. Its device and
// inode on POSIX; its volume's serial number and file index on Windows.
struct FolderIdentity {
  std::uint64_t volume = 0;
  std::uint64_t index = 0;
  auto operator<=>(const FolderIdentity&) const = default;
};
// Nothing for a path that leads to no folder.
std::optional<FolderIdentity> IdentityOfFolder(const std::string& path);

// Whether the program may create files in `folder`: a new file of a name no file has is created
// there and removed again. No existing file is touched.
bool CanCreateFilesIn(const std::string& folder);

// Whether `folder` is the person's own to keep files in: a folder they own and may create files
// in. It tells a copy of the program that the person unpacked or built for themselves from one
// installed for the system, whose folder is not theirs to fill.
bool IsOwnWritableFolder(const std::string& folder);

// Creates one folder; its parent must exist. False when it could not be created.
bool CreateDir(const std::string& path);

// Creates a folder together with every missing folder above it. True when the folder exists after.
bool ForceDirectories(const std::string& path);

// Copies a file, replacing the destination. False on any failure; the destination is then either
// untouched or complete (the copy is written beside it and renamed into place).
bool CopyFileTo(const std::string& from, const std::string& to);

bool RemoveFile(const std::string& path);

// Opens a file for reading as a C stream, for libraries that read from one. Anything but a plain
// file is refused.
ErrorCode OpenFileForReading(const std::string& path, std::FILE*& file);

// Reads a whole file into `bytes`. Anything but a plain file (a folder, a pipe, a device) is
// refused rather than read, so a pipe in a file's place can never hang the program.
ErrorCode ReadWholeFile(const std::string& path, std::string& bytes);

// Reads a whole file as ReadWholeFile does when it holds at most `maxSize` bytes. A larger one
// (also one that grows past `maxSize` while it is read) is refused with kFileTooLarge and `bytes`
// left empty; the read stops as soon as the file proves too large.
ErrorCode ReadFileUpTo(const std::string& path, std::size_t maxSize, std::string& bytes);

// What a read found at the path of a file that the program rewrites as a whole from what it read
// (the settings file, the registry hive).
enum class ExistingFile {
  Missing,     // nothing is there: the rewrite creates the file
  Read,        // its bytes were read
  Unreadable,  // something is there that cannot be read (no permission, an I/O error, a folder):
               // it must never be replaced, or what it holds would be lost
};
// Reads such a file into `bytes` (empty unless it was read). A file larger than `maxSize` is
// Unreadable, refused before any of it is read.
ExistingFile ReadFileToRewrite(const std::string& path, std::string& bytes,
                               std::size_t maxSize = SIZE_MAX);

// What a written file is, which decides its permissions and how hard it is kept:
// - Document: the user's data. It is flushed to disk before it replaces the old one, and keeps
//   the permissions of the file it replaces.
// - Program: a file that can be run (a launcher); flushed like a document.
// - Generated: made from other files and made again at every start (the HTML pages). It is not
//   flushed: after a crash it may be empty until it is written again, never half old, half new.
enum class FileKind { Document, Program, Generated };

// Replaces `path` with `bytes` atomically: a crash or a full disk leaves the old file or the new
// one, never a part of either. A `path` that is a symbolic link keeps the link: the file the link
// leads to is replaced (and created when it is missing).
ErrorCode WriteFileAtomically(const std::string& path, const std::string& bytes,
                              FileKind kind = FileKind::Document);

// A new file built in place of `path` and swapped in atomically by Commit. Until then, the file at
// `path` (if any) is untouched; a writer destroyed without Commit leaves no trace.
class AtomicFileWriter {
 public:
  AtomicFileWriter() = default;
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;
  ~AtomicFileWriter();

  // Creates the temporary file beside `path` (beside the file it leads to, when it is a symbolic
  // link), with the permissions `kind` gives it.
  ErrorCode Open(const std::string& path, FileKind kind = FileKind::Document);
  // Writes `size` bytes at byte `offset` of the new file. Bytes that Commit will flush start on
  // their way to the disk at once, so that a large file's flush waits for its last part only.
  ErrorCode WriteAt(std::uint64_t offset, const void* data, std::size_t size);
  // Flushes the new file to disk (unless it is Generated) and renames it over `path`.
  ErrorCode Commit();

 private:
  void Discard();

  std::string path_;
  std::string temporaryPath_;
  FileKind kind_ = FileKind::Document;
  std::intptr_t handle_ = -1;
};

}  // namespace lintavo::os
