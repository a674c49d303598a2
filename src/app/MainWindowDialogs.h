#pragma once

#include <QDialog>
#include <functional>
#include <memory>

namespace lintavo {

class TfrmMain;

// Creates the dialog of one main-window command. The command shows it modally (ShowModal) and
// destroys it when it has closed, so no dialog outlives its command.
using DialogFactory = std::function<std::unique_ptr<QDialog>(TfrmMain& mainWindow)>;

// The dialogs the main window's commands open. A command whose factory is empty says that it is
// not available instead of opening anything.
struct MainWindowDialogs {
  DialogFactory pageSettings;  // Edit
  DialogFactory background;    // Select Background
  DialogFactory options;       // Options
  DialogFactory about;         // About
};

// The dialogs that are part of this build.
MainWindowDialogs InstalledDialogs();

}  // namespace lintavo
