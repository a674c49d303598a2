#include "app/MainWindowDialogs.h"

#include "app/TfrmMain.h"
#include "dialogs/TfrmAbout.h"
#include "dialogs/TfrmBackground.h"
#include "dialogs/TfrmHPSettings.h"
#include "dialogs/TfrmQuickAccess.h"

namespace lintavo {

MainWindowDialogs InstalledDialogs() {
  MainWindowDialogs dialogs;
  dialogs.background = [](TfrmMain& mainWindow) -> std::unique_ptr<QDialog> {
    return std::make_unique<TfrmBackground>(mainWindow.WebManager(), mainWindow.SelectedPosition(),
                                            mainWindow.ConfigFile(), &mainWindow);
  };
  dialogs.pageSettings = [](TfrmMain& mainWindow) -> std::unique_ptr<QDialog> {
    return std::make_unique<TfrmHPSettings>(mainWindow.WebManager(), mainWindow.SelectedPosition(),
                                            mainWindow.ConfigFile(), mainWindow.bsSkinMessage1(),
                                            browsers::ShellWindows::Snapshot, &mainWindow);
  };
  dialogs.options = [](TfrmMain& mainWindow) -> std::unique_ptr<QDialog> {
    return std::make_unique<TfrmQuickAccess>(mainWindow.bsSkinMessage1(), &mainWindow);
  };
  dialogs.about = [](TfrmMain& mainWindow) -> std::unique_ptr<QDialog> {
    return std::make_unique<TfrmAbout>(mainWindow.bsSkinMessage1(), &mainWindow);
  };
  return dialogs;
}

}  // namespace lintavo
