#pragma once

#include <string>

#include "help/HtmlHelpInterface.h"
#include "os/SharedLibrary.h"

namespace lintavo {

// The help engine is no part of the program: start-up finds its module through the registration
// of its class, loads it once and looks up its entry point by name; shutdown releases it. The
// state is the process's own and is used on the main thread only.

// The full path of the engine's module as its class registration names it, taken exactly as
// stored (an unexpanded %SystemRoot% names no file); empty when the engine is not registered or
// its file is missing.
std::string LocateHelpEngine();

// Loads the engine once; does nothing when it is already loaded. An engine that cannot be found
// or loaded stays unloaded, silently.
void LoadHelpEngine();
// The same with the module LocateHelpEngine has found already (empty: none), for a caller that
// needs the path too and need not look it up twice.
void LoadHelpEngine(const std::string& path);

// Releases the engine when it is loaded.
void UnloadHelpEngine();

// The loaded engine's module; 0 while it is not loaded.
os::LibraryHandle HelpEngineHandle();

// The engine's entry point; nullptr while it is not loaded, or when the engine lacks the entry.
HtmlHelpFunction HtmlHelpEntry();

}  // namespace lintavo
