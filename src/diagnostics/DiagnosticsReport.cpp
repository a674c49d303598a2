#include "diagnostics/DiagnosticsReport.h"

#include <cstdio>
#include <memory>

#include "base/PathText.h"
#include "os/Files.h"

namespace lintavo {

namespace {

constexpr std::size_t kSeparatorLength = 80;  // one character goes with the leading mark

// The format with its "%s" replaced by a tab and `value`: the tab parts the padded label from
// the value.
std::string Line(std::string format, const std::string& value) {
  return format.replace(format.find("%s"), 2, "\t" + value);
}

// "0x" and at least four upper-case hexadecimal digits.
std::string Hex(std::uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%04X", value);
  return text;
}

std::string JoinedParameters(const std::vector<std::string>& parameters) {
  std::string joined;
  for (const std::string& parameter : parameters) {
    joined += (joined.empty() ? "" : " | ") + parameter;
  }
  return joined;
}

std::string YesOrNo(const FileVersion& version) {
  return version.text.empty() ? "NO" : "YES";
}

}  // namespace

SystemDescription DescribeSystem() {
  return {os::LocalDateTimeText(), os::OperatingSystemVersion(), os::UserLocaleId(),
          os::DecimalSeparator()};
}

std::string ReportPath(const std::string& reportFolder) {
  return base::JoinPath(reportFolder, kReportFileName);
}

void WriteReportLine(const std::string& reportPath, std::string line) {
  struct Closer {
    void operator()(std::FILE* file) const { std::fclose(file); }
  };
  const std::unique_ptr<std::FILE, Closer> file(std::fopen(reportPath.c_str(), "ab"));
  if (!file) {
    return;
  }
  if (line == "-" || line == "=") {
    line.assign(kSeparatorLength, line[0]);
  }
  if (!line.empty() && (line[0] == '!' || line[0] == '-' || line[0] == '=')) {
    line.erase(0, 1);
  }
  line += "\r\n";
  std::fwrite(line.data(), 1, line.size(), file.get());
}

void WriteReport(const DiagnosticsFacts& facts, const SystemDescription& system) {
  const std::string reportPath = ReportPath(facts.reportFolder);
  os::RemoveFile(reportPath);
  if (!facts.diagnosticsOn) {
    return;
  }
  const os::SystemVersion& version = system.version;
  const std::string lines[] = {
      Line("!Filename:             %s", reportPath),
      Line("!Date:                 %s", system.dateTime),
      Line("!Operating System:      %s", version.name) + " " + std::to_string(version.major) + "." +
          std::to_string(version.minor) + "." + std::to_string(version.build),
      Line("!SysLocale.DefaultLCID: %s", Hex(system.localeId)),
      Line("!SysLocale.PriLangID:   %s", Hex(system.localeId & 0x3FF)),
      Line("!SysLocale.SubLangID:   %s", Hex((system.localeId >> 10) & 0x3F)),
      Line("!DecimalSeparator:      %s", system.decimalSeparator),
      "-",
      Line("!EXE Path =          %s", facts.modulePath),
      Line("!Cmdline Param(s) =  %s", JoinedParameters(facts.parameters)),
      Line("!_RunDir =           %s", facts.runDir),
      Line("!_ModuleName =       %s", facts.moduleName),
      Line("!_ModuleDir =        %s", facts.moduleDir),
      "-",
      Line("!_hhInstalled =      %s", YesOrNo(facts.helpEngine)),
      Line("!_hhVerStr =         %s", facts.helpEngine.text),
      Line("!_hhFriendlyVerStr = %s", facts.helpEngineReleaseName),
      "-",
      Line("!_ieInstalled =      %s", YesOrNo(facts.browser)),
      Line("!_ieVerStr =         %s", facts.browser.text),
      Line("!_ieFriendlyVerStr = %s", facts.browserReleaseName),
      "=",
  };
  for (const std::string& line : lines) {
    WriteReportLine(reportPath, line);
  }
}

}  // namespace lintavo
