#include "os/SharedLibrary.h"

#include <dlfcn.h>

namespace lintavo::os {

LibraryHandle LoadSharedLibrary(const std::string& path) {
  if (path.empty()) {
    return 0;
  }
  // dlopen searches the library path for a name without a slash; "./" keeps it to the file itself.
  const std::string file = path.find('/') == std::string::npos ? "./" + path : path;
  return reinterpret_cast<LibraryHandle>(dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL));
}

LibraryFunction FindLibraryFunction(LibraryHandle library, const std::string& name) {
  if (library == 0) {
    return nullptr;
  }
  return reinterpret_cast<LibraryFunction>(dlsym(reinterpret_cast<void*>(library), name.c_str()));
}

void UnloadSharedLibrary(LibraryHandle library) {
  if (library != 0) {
    dlclose(reinterpret_cast<void*>(library));
  }
}

}  // namespace lintavo::os
