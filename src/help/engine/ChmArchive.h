#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

struct chmFile;

namespace lintavo::help {

// A compiled help file opened for reading: its objects (pages, pictures, the contents and index
// files, the file's own records) by their paths inside the file ("/intro.htm", "#SYSTEM").
class ChmArchive {
 public:
  // The archive at `path`; nullptr when it is missing, is not a plain file, does not hold the
  // headers of a compiled help file, or was cut short.
  static std::unique_ptr<ChmArchive> Open(const std::string& path);
  ~ChmArchive();
  ChmArchive(const ChmArchive&) = delete;
  ChmArchive& operator=(const ChmArchive&) = delete;

  // The whole object at `objectPath`; nullopt when the file holds no such object, when it cannot
  // be read to its end (a truncated or damaged file), or when it claims to be larger than any
  // object a help file holds.
  std::optional<std::string> Read(const std::string& objectPath) const;

  // The paths of the file's objects, in the file's order.
  std::vector<std::string> ObjectPaths() const;

 private:
  explicit ChmArchive(chmFile* file);

  chmFile* file_;
};

}  // namespace lintavo::help
