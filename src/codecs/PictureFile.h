#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "os/SystemError.h"

namespace lintavo {

// A picture file open for reading as a C stream, for the decoder libraries that read through one,
// with its size for checking what its header claims. Anything but a plain file is refused
// (os::OpenFileForReading), so a pipe in a picture's place never hangs a reader.
class PictureFile {
 public:
  // Opens `path`; 0 or the system's reason why not.
  os::ErrorCode Open(const std::string& path);
  // Opens `path` or throws Failure "Cannot open file "<path>". <reason>".
  void OpenOrFail(const std::string& path);

  const std::string& Path() const { return path_; }
  std::FILE* Stream() const { return file_.get(); }
  std::uint64_t Size() const { return size_; }

  // Reads up to `size` bytes; how many came.
  std::size_t Read(void* data, std::size_t size) { return std::fread(data, 1, size, Stream()); }

 private:
  struct Closer {
    void operator()(std::FILE* file) const { std::fclose(file); }
  };

  std::string path_;
  std::unique_ptr<std::FILE, Closer> file_;
  std::uint64_t size_ = 0;
};

}  // namespace lintavo
