#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "PeFiles.h"
#include "diagnostics/Diagnostics.h"
#include "support/ScopedVariable.h"
#include "support/TestEnvironment.h"

namespace lintavo {
namespace {

namespace fs = std::filesystem;
using test::TempFolder;
using ::testing::UnorderedElementsAre;

// A start of the program installed in `folder`, with the given parameters and no help engine.
DiagnosticsStart StartIn(const TempFolder& folder, std::vector<std::string> parameters = {}) {
  return {folder / "lintavo", std::move(parameters), ""};
}

// The report's lines, each without its CR LF.
std::vector<std::string> ReportLines(const std::string& path) {
  const std::string text = test::ReadFileBytes(path);
  std::vector<std::string> lines;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t end = text.find("\r\n", at);
    lines.push_back(text.substr(at, end - at));
    at = end == std::string::npos ? text.size() : end + 2;
  }
  return lines;
}

TEST(DiagnosticsTest, IsSwitchedOnByAWholeDebugParameterInAnyCase) {
  struct Case {
    std::vector<std::string> parameters;
    bool on;
  };
  const Case cases[] = {
      {{}, false},          {{"/debug"}, true},
      {{"/DEBUG"}, true},   {{"-Debug"}, true},
      {{"debug"}, false},   {{"/debug=1"}, false},
      {{"--debug"}, false}, {{"page.htm", "-debug"}, true},
  };
  for (const Case& c : cases) {
    TempFolder folder;
    const DiagnosticsFacts facts = InitDiagnostics(StartIn(folder, c.parameters));
    EXPECT_EQ(facts.diagnosticsOn, c.on) << ::testing::PrintToString(c.parameters);
    EXPECT_EQ(fs::exists(folder / "HHDebug.txt"), c.on) << ::testing::PrintToString(c.parameters);
  }
}

TEST(DiagnosticsTest, IsSwitchedOnByAnEmptyMarkerFileBesideTheProgram) {
  TempFolder folder;
  test::WriteFileBytes(folder / "debug.debug", "");

  EXPECT_TRUE(InitDiagnostics(StartIn(folder)).diagnosticsOn);
  EXPECT_TRUE(fs::exists(folder / "HHDebug.txt"));
}

TEST(DiagnosticsTest, EveryStartDeletesTheReportOfTheRunBefore) {
  TempFolder folder;
  InitDiagnostics(StartIn(folder, {"/debug"}));
  ASSERT_TRUE(fs::exists(folder / "HHDebug.txt"));

  InitDiagnostics(StartIn(folder));

  EXPECT_FALSE(fs::exists(folder / "HHDebug.txt"));
}

TEST(DiagnosticsTest, DescribesTheProgramItsParametersAndAMissingHelpEngine) {
  TempFolder folder;
  InitDiagnostics(StartIn(folder, {"/debug", "two words"}));

  const std::vector<std::string> lines = ReportLines(folder / "HHDebug.txt");
  ASSERT_EQ(lines.size(), 22u);
  EXPECT_EQ(lines[0], "Filename:             \t" + (folder / "HHDebug.txt"));
  EXPECT_EQ(lines[8], "EXE Path =          \t" + (folder / "lintavo"));
  EXPECT_EQ(lines[9], "Cmdline Param(s) =  \t/debug | two words");
  EXPECT_EQ(lines[10], "_RunDir =           \t" + folder.Path().string());
  EXPECT_EQ(lines[11], "_ModuleName =       \tlintavo");
  EXPECT_EQ(lines[12], "_ModuleDir =        \t" + folder.Path().string());
  EXPECT_EQ(lines[14], "_hhInstalled =      \tNO");
  EXPECT_EQ(lines[15], "_hhVerStr =         \t");
  EXPECT_EQ(lines[16], "_hhFriendlyVerStr = \t");
  // No system folder here holds the browser control.
  EXPECT_EQ(lines[18], "_ieInstalled =      \tNO");
}

TEST(DiagnosticsTest, NamesTheHelpEnginesVersion) {
  TempFolder folder;
  test::WriteFileBytes(folder / "engine.dll", test::PeFileWithVersion({4, 74, 9273, 0}));
  DiagnosticsStart start = StartIn(folder, {"/debug"});
  start.helpEnginePath = folder / "engine.dll";

  InitDiagnostics(start);

  const std::vector<std::string> lines = ReportLines(folder / "HHDebug.txt");
  ASSERT_EQ(lines.size(), 22u);
  EXPECT_EQ(lines[14], "_hhInstalled =      \tYES");
  EXPECT_EQ(lines[15], "_hhVerStr =         \t4.74.9273.0");
  EXPECT_EQ(lines[16], "_hhFriendlyVerStr = \t1.33");
}

// The program's folder may not be written (even root cannot create files in /proc/self): the
// report goes to the temporary folder, and the system's drive root when that does not exist.
TEST(DiagnosticsTest, WritesToTheTemporaryFolderWhenTheProgramsFolderIsReadOnly) {
  TempFolder temporary;
  test::ScopedVariable tmpdir("TMPDIR", temporary.Path().c_str());
  const DiagnosticsStart start{"/proc/self/lintavo", {"/debug"}, ""};

  const DiagnosticsFacts facts = InitDiagnostics(start);

  EXPECT_EQ(facts.reportFolder, temporary.Path().string());
  const std::vector<std::string> lines = ReportLines(temporary / "HHDebug.txt");
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0], "Filename:             \t" + (temporary / "HHDebug.txt"));

  tmpdir.Set((temporary / "gone").c_str());
  EXPECT_EQ(CollectDiagnostics(start).reportFolder, "/");
}

// Finding out whether the program's folder may be written creates and removes a file of a name
// of its own: a person's file of any name stays as it was.
TEST(DiagnosticsTest, TheWritabilityProbeLeavesEveryFileAlone) {
  TempFolder folder;
  test::WriteFileBytes(folder / "$_Temp_$.$$$", "a file of the person's");

  InitDiagnostics(StartIn(folder));

  EXPECT_EQ(test::ReadFileBytes(folder / "$_Temp_$.$$$"), "a file of the person's");
  EXPECT_THAT(test::FolderContent(folder.Path().string()), UnorderedElementsAre("$_Temp_$.$$$"));
}

}  // namespace
}  // namespace lintavo
