#pragma once

#include <string>

namespace lintavo {

// Finds the settings file "config.ini" in the per-user application-data folder, creating the
// folder, and moves an older file from `programFolder` (ending in a path delimiter) there: the
// per-user file always wins, and the older one is deleted once it is no longer needed. An older
// file that cannot be copied is kept and its path is returned, so its content is never lost.
// A per-user folder that cannot be created does not move the settings elsewhere: its path is
// returned all the same, and the first save fails naming it. Only a system that names no
// application-data folder at all keeps the settings beside the program.
std::string LocateConfigFile(const std::string& programFolder);

}  // namespace lintavo
