#pragma once

#include <QDialog>
#include <memory>
#include <string>

#include "skin/MessageService.h"

namespace Ui {
class TfrmQuickAccess;
}

namespace lintavo {

// The options dialog: one-shot commands that put a shortcut to the program into the launcher
// menu or onto the desktop, and, where the browser has such a warning (os::Wording()), that
// switch off its warning about active content in local files. Each command reports in a message
// box and leaves the dialog open; OK closes it.
class TfrmQuickAccess : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmQuickAccess(MessageService& messages, QWidget* parent = nullptr);
  ~TfrmQuickAccess() override;

  // Raises lintavo::Failure when the registry refuses the write. Callable from outside because
  // where the browser has no such warning the dialog removes its button, and the command is still
  // tested there.
  void btnStopActiveXClick();

 private:
  void btnQuickLaunchClick();
  void btnDesktopClick();

  void RemoveStopActiveX();
  void AddShortcut(const std::string& where);

  std::unique_ptr<Ui::TfrmQuickAccess> ui_;
  MessageService& messages_;
};

}  // namespace lintavo
