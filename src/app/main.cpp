// Lintavo's entry: module initialisations, the single-instance guard, then the main window and
// its event loop.
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "app/AfterFirstPaint.h"
#include "app/AppResources.h"
#include "app/RequestWatcher.h"
#include "app/TApplication.h"
#include "app/TfrmMain.h"
#include "base/Failure.h"
#include "browsers/BrowserHomePages.h"
#include "diagnostics/Diagnostics.h"
#include "help/HelpEngine.h"
#include "os/EndRequests.h"
#include "os/InstanceGuard.h"
#include "os/Paths.h"
#include "os/SystemFonts.h"
#include "skin/ErrorReporting.h"
#include "skin/Skin.h"
#include "skin/SkinMessageBox.h"

namespace {

using namespace lintavo;

// The record's window handle is not used here: a refused start asks this instance to come to
// the front through the guard's activation channel instead.
constexpr os::WindowHandle kActivatedThroughChannel = 0;

// Runs an admitted start, or shows why the start failed, until the windows close or the system
// asks the program to end; returns the exit code.
int RunWindows(int& argc, char** argv, os::InstanceGuard& guard, os::WaitHandle endRequests,
               const std::optional<std::string>& startFailure) {
  // Read while the application connects to the display and loads its plugins; the skin's font
  // needs it.
  os::SystemFontsPreload fonts;
  TApplication application(argc, argv);
  RegisterAppResources();
  fonts.Wait();
  ApplySkin(application);

  // Watched before any window is made, since start-up may already show an error box: an end
  // request ends every event loop then running, a modal box's as Cancel, and one taken before
  // the main loop runs keeps it from starting.
  bool endRequested = false;
  const RequestWatcher endWatcher(
      endRequests, [endRequests] { return os::TakeEndRequest(endRequests); },
      [&endRequested] {
        endRequested = true;
        TApplication::exit(0);
      });

  if (startFailure) {
    // No window opens: the error goes to the terminal and into an error box.
    std::fprintf(stderr, "%s\n", startFailure->c_str());
    ReportError(*startFailure);
    return 1;
  }

  SkinMessageBox messages;
  TfrmMain mainWindow(os::ProgramFolder(), messages);
  const RequestWatcher activationWatcher(
      guard.ActivationRequestHandle(), [&guard] { return guard.TakeActivationRequest(); },
      [&mainWindow] { BringToFront(mainWindow); });
  if (endRequested) {
    return 0;
  }
  // Housekeeping left from an earlier "Set as home page" (the browsers' preference files read),
  // once the window is on the screen, so that it never holds up its first paint.
  RunAfterFirstPaint(mainWindow, [] { browsers::SettleBrowserHomePages(); });
  mainWindow.show();
  return TApplication::exec();
}

}  // namespace

int main(int argc, char** argv) {
  // Module initialisations run here, before the single-instance guard and in every start: the
  // help engine is loaded and the help diagnostics are collected and written.
  const std::string helpEngine = LocateHelpEngine();
  LoadHelpEngine(helpEngine);
  InitDiagnostics({os::ProgramPath(), std::vector<std::string>(argv + 1, argv + argc), helpEngine});

  // From here on, log-out, `kill` and Ctrl+C end the program in order, through the code below.
  const os::WaitHandle endRequests = os::CatchEndRequests();
  os::InstanceGuard guard;
  bool refused = false;
  std::optional<std::string> startFailure;
  try {
    refused = guard.RefuseIfRunning(kActivatedThroughChannel, 1);
  } catch (const Failure& failure) {
    // The guard could neither create nor find the instance record.
    startFailure = failure.what();
  }
  // A refused start ends at once with exit code 0; the running copy has been asked to come to the
  // front.
  const int exitCode = refused ? 0 : RunWindows(argc, argv, guard, endRequests, startFailure);
  guard.ReleaseInstance();
  // The windows are gone: nothing of the engine's runs any more.
  UnloadHelpEngine();
  return exitCode;
}
