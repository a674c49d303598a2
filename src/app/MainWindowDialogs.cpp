#include "app/MainWindowDialogs.h"

#include "app/TfrmAbout.h"
#include "app/TfrmMain.h"
#include "dialogs/TfrmQuickAccess.h"

namespace lintavo {

MainWindowDialogs InstalledDialogs() {
  MainWindowDialogs dialogs;
  // The page settings dialog (Edit) and the background picture dialog (Select Background) are
  // not part of this build yet; their factories stay empty until they are.
  dialogs.options = [](TfrmMain& mainWindow) -> std::unique_ptr<QDialog> {
    return std::make_unique<TfrmQuickAccess>(mainWindow.bsSkinMessage1(), &mainWindow);
  };
  dialogs.about = [](TfrmMain& mainWindow) -> std::unique_ptr<QDialog> {
    return std::make_unique<TfrmAbout>(&mainWindow);
  };
  return dialogs;
}

}  // namespace lintavo
