#pragma once

#include <string>
#include <vector>

#include "diagnostics/DiagnosticsReport.h"

namespace lintavo {

// What the diagnostics start from: the running program, its command line and the help engine.
struct DiagnosticsStart {
  std::string programPath;              // the executable's full path
  std::vector<std::string> parameters;  // the command line's, the program path left out
  std::string helpEnginePath;           // the help engine's file as LocateHelpEngine finds it
};

// Collects the facts of the diagnostics report: the program's folder and name; the report's
// folder (the program's when files can be created there, else the temporary folder); whether the
// report is switched on, by a file "debug.debug" in the program's folder or by a parameter
// "/debug" or "-debug" in any letter case; and, when it is on, the versions of the help engine and
// of the browser control in the system folder, with their release names (nothing but the report
// reads them, so a start without one leaves them empty).
DiagnosticsFacts CollectDiagnostics(const DiagnosticsStart& start);

// Runs once at every start, before the single-instance check: collects the facts, deletes the
// report of an earlier run and writes a new one when diagnostics are on.
DiagnosticsFacts InitDiagnostics(const DiagnosticsStart& start);

}  // namespace lintavo
