#include "diagnostics/Diagnostics.h"

#include <algorithm>

#include "base/PathText.h"
#include "base/Text.h"
#include "diagnostics/ReleaseNames.h"
#include "os/Files.h"
#include "os/Paths.h"

namespace lintavo {

namespace {

constexpr char kMarkerFileName[] = "debug.debug";
constexpr char kBrowserControlFileName[] = "Shdocvw.dll";

bool IsDebugSwitch(const std::string& parameter) {
  return base::EqualIgnoringAsciiCase(parameter, "/debug") ||
         base::EqualIgnoringAsciiCase(parameter, "-debug");
}

// The program's folder when files can be created there; otherwise the system's temporary folder,
// or the root of the system's drive when that folder does not exist. No file of the person's is
// touched to find out.
std::string ReportFolderFor(const std::string& programFolder) {
  if (os::CanCreateFilesIn(programFolder)) {
    return programFolder;
  }
  const std::string temporary = os::TemporaryFolder();
  return base::WithoutTrailingDelimiter(
      os::DirectoryExists(temporary) ? temporary : os::FallbackTemporaryFolder());
}

}  // namespace

DiagnosticsFacts CollectDiagnostics(const DiagnosticsStart& start) {
  DiagnosticsFacts facts;
  facts.modulePath = start.programPath;
  facts.moduleDir = base::WithoutTrailingDelimiter(base::ParentFolder(start.programPath));
  facts.moduleName =
      start.programPath.substr(start.programPath.find_last_of(base::kPathDelimiter) + 1);
  facts.runDir = facts.moduleDir;
  facts.parameters = start.parameters;
  facts.reportFolder = ReportFolderFor(facts.moduleDir);
  facts.diagnosticsOn =
      os::FileExists(base::JoinPath(facts.moduleDir, kMarkerFileName)) ||
      std::any_of(start.parameters.begin(), start.parameters.end(), IsDebugSwitch);
  // The versions are read only for a report that is written: nothing else reads them, and most
  // starts write none.
  if (!facts.diagnosticsOn) {
    return facts;
  }
  facts.helpEngine = GetFileVersionText(start.helpEnginePath);
  facts.helpEngineReleaseName = HelpEngineReleaseName(facts.helpEngine);
  facts.browser = AdjustBrowserVersion(
      GetFileVersionText(base::JoinPath(os::SystemFolder(), kBrowserControlFileName)));
  facts.browserReleaseName = BrowserReleaseName(facts.browser);
  return facts;
}

DiagnosticsFacts InitDiagnostics(const DiagnosticsStart& start) {
  DiagnosticsFacts facts = CollectDiagnostics(start);
  // Likewise the system is described only for a report that is written.
  WriteReport(facts, facts.diagnosticsOn ? DescribeSystem() : SystemDescription{});
  return facts;
}

}  // namespace lintavo
