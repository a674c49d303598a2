// Lintavo's entry: module initialisations, the single-instance guard, then the main window and
// its event loop.
#include <cstdio>

#include "app/ActivationWatcher.h"
#include "app/ErrorReporting.h"
#include "app/GuiResources.h"
#include "app/TApplication.h"
#include "app/TfrmMain.h"
#include "os/Failure.h"
#include "os/InstanceGuard.h"
#include "os/Paths.h"
#include "skin/Skin.h"
#include "skin/SkinMessageBox.h"

namespace {

using namespace lintavo;

// The record's window handle is not used here: a refused start asks this instance to come to
// the front through the guard's activation channel instead.
constexpr os::WindowHandle kActivatedThroughChannel = 0;

// Runs an admitted start until the main window closes; returns the exit code.
int RunMainWindow(int& argc, char** argv, os::InstanceGuard& guard) {
  TApplication application(argc, argv);
  RegisterGuiResources();
  ApplySkin(application);

  SkinMessageBox messages;
  TfrmMain mainWindow(os::ProgramFolder(), messages);
  const ActivationWatcher activationWatcher(
      guard.ActivationRequestHandle(), [&guard] { return guard.TakeActivationRequest(); },
      mainWindow);
  mainWindow.show();
  return TApplication::exec();
}

// The guard could neither create nor find the instance record: no window opens, the error goes
// to the terminal and into an error box.
int ReportStartFailure(int& argc, char** argv, const Failure& failure) {
  std::fprintf(stderr, "%s\n", failure.what());
  TApplication application(argc, argv);
  RegisterGuiResources();
  ApplySkin(application);
  ReportError(failure.what());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  // Module initialisations run here, before the single-instance guard and in every start: the
  // help engine is loaded (LoadHelpEngine) and the help diagnostics are collected and written.

  os::InstanceGuard guard;
  bool refused = false;
  try {
    refused = guard.RefuseIfRunning(kActivatedThroughChannel, 1);
  } catch (const Failure& failure) {
    return ReportStartFailure(argc, argv, failure);
  }
  // A refused start ends at once with exit code 0; the running copy has been asked to come to the
  // front.
  const int exitCode = refused ? 0 : RunMainWindow(argc, argv, guard);
  guard.ReleaseInstance();
  return exitCode;
}
