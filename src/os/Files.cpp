#include "os/Files.h"

#include <limits>

#include "base/PathText.h"

// The file services that are the same on every system, built on the ones each system implements
// (os/posix/Files.cpp, os/win32/Files.cpp).

namespace lintavo::os {

bool ForceDirectories(const std::string& path) {
  if (path.empty()) {
    return false;
  }
  if (DirectoryExists(path)) {
    return true;
  }
  const std::string trimmed = base::WithoutTrailingDelimiter(path);
  const std::string parent = base::ParentFolder(trimmed);
  if (parent != trimmed && !ForceDirectories(parent)) {
    return false;
  }
  return CreateDir(trimmed) || DirectoryExists(trimmed);
}

bool CopyFileTo(const std::string& from, const std::string& to) {
  std::string bytes;
  return ReadWholeFile(from, bytes) == 0 && WriteFileAtomically(to, bytes) == 0;
}

ErrorCode ReadWholeFile(const std::string& path, std::string& bytes) {
  return ReadFileUpTo(path, std::numeric_limits<std::size_t>::max(), bytes);
}

ErrorCode WriteFileAtomically(const std::string& path, const std::string& bytes, FileKind kind) {
  AtomicFileWriter writer;
  if (const ErrorCode error = writer.Open(path, kind)) {
    return error;
  }
  if (const ErrorCode error = writer.WriteAt(0, bytes.data(), bytes.size())) {
    return error;
  }
  return writer.Commit();
}

AtomicFileWriter::~AtomicFileWriter() {
  Discard();
}

}  // namespace lintavo::os
