#pragma once

#include "skin/MessageService.h"

namespace lintavo {

// The message box service of the running program: a skinned QMessageBox over the active window,
// captioned "Information" with the information icon or "Confirm" with the question icon, with
// OK or OK and Cancel (Cancel also on Escape, each also on its Alt+letter), the default button as
// the caller chose.
class SkinMessageBox : public MessageService {
 public:
  int MessageDlg(const std::string& text, MessageKind kind, MessageButtons buttons) override;
};

}  // namespace lintavo
