#pragma once

#include <string>

namespace lintavo {

// Finds the settings file "config.ini" in the per-user application-data folder, creating the
// folder, and moves an older file from `programFolder` (ending in a path delimiter) there: the
// per-user file always wins, and the older one is deleted once it is no longer needed. An older
// file that cannot be copied is kept and its path is returned, so its content is never lost.
std::string LocateConfigFile(const std::string& programFolder);

}  // namespace lintavo
