#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "diagnostics/FileVersion.h"
#include "os/SystemFacts.h"

// The help diagnostics report, "HHDebug.txt": where the program runs, which folder it may write
// to, and which help engine and browser control it finds, for diagnosing help problems on a
// person's machine. Plain 8-bit text, one item a line, lines ending in CR LF.
namespace lintavo {

inline constexpr char kReportFileName[] = "HHDebug.txt";

// What the report says, collected once at start-up.
struct DiagnosticsFacts {
  std::string modulePath;  // the program's executable
  std::string moduleDir;   // its folder, without a trailing delimiter
  std::string moduleName;  // its file name
  std::string runDir;      // the folder of the process's executable, without a trailing delimiter
  std::vector<std::string> parameters;  // the command line's, the program path left out
  std::string reportFolder;             // without a trailing delimiter
  bool diagnosticsOn = false;
  FileVersion helpEngine;
  std::string helpEngineReleaseName;
  FileVersion browser;  // adjusted for the oldest numbering
  std::string browserReleaseName;
};

// What the report says of the system, as the system tells it at the time of writing.
struct SystemDescription {
  std::string dateTime;
  os::SystemVersion version;
  std::uint32_t localeId = 0;
  std::string decimalSeparator;
};
SystemDescription DescribeSystem();

// The report's path in `reportFolder`.
std::string ReportPath(const std::string& reportFolder);

// Appends one line and its CR LF to the report, opening and closing the file for it; a line that
// cannot be written is skipped without a word. A line of "-" or "=" alone becomes a separator of
// 79 such characters; a leading "!", "-" or "=" is dropped.
void WriteReportLine(const std::string& reportPath, std::string line);

// Deletes the report of an earlier run, then, when diagnostics are on, writes a new one of 22
// lines.
void WriteReport(const DiagnosticsFacts& facts, const SystemDescription& system);

}  // namespace lintavo
