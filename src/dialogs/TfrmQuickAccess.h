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

  void btnQuickLaunchClick();
  void btnDesktopClick();
  // Raises lintavo::Failure when the registry refuses the write.
  void btnStopActiveXClick();

 private:
  void RemoveStopActiveX();
  void AddShortcut(const std::string& where);

  std::unique_ptr<Ui::TfrmQuickAccess> ui_;
  MessageService& messages_;
};

}  // namespace lintavo
