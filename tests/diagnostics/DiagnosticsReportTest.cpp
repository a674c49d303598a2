#include <gtest/gtest.h>

#include <string>

#include "diagnostics/DiagnosticsReport.h"
#include "support/TestEnvironment.h"

namespace lintavo {
namespace {

TEST(DiagnosticsReportTest, WritesItsLinesByteForByte) {
  test::TempFolder folder;
  DiagnosticsFacts facts;
  facts.modulePath = "/opt/lintavo/lintavo";
  facts.moduleDir = "/opt/lintavo";
  facts.moduleName = "lintavo";
  facts.runDir = "/opt/lintavo";
  facts.parameters = {"/debug", "x"};
  facts.reportFolder = folder.Path().string();
  facts.diagnosticsOn = true;
  facts.helpEngine = MakeFileVersion(4, 74, 9273, 0);
  facts.helpEngineReleaseName = "1.33";
  const SystemDescription system{"10/12/2026 06:30:00", {"Linux", 6, 1, 0}, 0x0C07, ","};

  WriteReport(facts, system);

  const std::string hyphens(79, '-');
  const std::string expected = "Filename:             \t" + (folder / "HHDebug.txt") + "\r\n" +
                               "Date:                 \t10/12/2026 06:30:00\r\n"
                               "Operating System:      \tLinux 6.1.0\r\n"
                               "SysLocale.DefaultLCID: \t0x0C07\r\n"
                               "SysLocale.PriLangID:   \t0x0007\r\n"
                               "SysLocale.SubLangID:   \t0x0003\r\n"
                               "DecimalSeparator:      \t,\r\n" +
                               hyphens + "\r\n" +
                               "EXE Path =          \t/opt/lintavo/lintavo\r\n"
                               "Cmdline Param(s) =  \t/debug | x\r\n"
                               "_RunDir =           \t/opt/lintavo\r\n"
                               "_ModuleName =       \tlintavo\r\n"
                               "_ModuleDir =        \t/opt/lintavo\r\n" +
                               hyphens + "\r\n" +
                               "_hhInstalled =      \tYES\r\n"
                               "_hhVerStr =         \t4.74.9273.0\r\n"
                               "_hhFriendlyVerStr = \t1.33\r\n" +
                               hyphens + "\r\n" +
                               "_ieInstalled =      \tNO\r\n"
                               "_ieVerStr =         \t\r\n"
                               "_ieFriendlyVerStr = \t\r\n" +
                               std::string(79, '=') + "\r\n";
  EXPECT_EQ(test::ReadFileBytes(folder / "HHDebug.txt"), expected);
}

TEST(DiagnosticsReportTest, SkipsALineItCannotWrite) {
  test::TempFolder folder;
  const std::string report = folder / "no such folder/HHDebug.txt";

  WriteReportLine(report, "!lost");
  WriteReportLine(folder / "HHDebug.txt", "!kept");
  WriteReportLine(folder / "HHDebug.txt", "-");

  EXPECT_FALSE(std::filesystem::exists(report));
  EXPECT_EQ(test::ReadFileBytes(folder / "HHDebug.txt"),
            "kept\r\n" + std::string(79, '-') + "\r\n");
}

}  // namespace
}  // namespace lintavo
