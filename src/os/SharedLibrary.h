#pragma once

#include <cstdint>
#include <string>

namespace lintavo::os {

// A shared library loaded at run time (LoadLibraryA on Windows); 0 when none is loaded.
using LibraryHandle = std::uintptr_t;

// The address of an exported function, cast by the caller to the function's real type (FARPROC
// on Windows; it compares equal to nullptr when the library exports no such name).
using LibraryFunction = void (*)();

// Loads the library at `path`, resolving all its references at once; 0 when the file is missing
// or is no loadable library for this system. A path is never looked up in the system's library
// search path: a relative path names the file relative to the current folder.
LibraryHandle LoadSharedLibrary(const std::string& path);

// The function that `library` exports under `name`; nullptr when it exports none.
LibraryFunction FindLibraryFunction(LibraryHandle library, const std::string& name);

// Releases a library that LoadSharedLibrary gave; it stays in memory while other loads hold it.
void UnloadSharedLibrary(LibraryHandle library);

}  // namespace lintavo::os
