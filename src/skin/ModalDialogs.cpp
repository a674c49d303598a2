#include "skin/ModalDialogs.h"

#include <QDialog>

namespace lintavo {

int ShowModal(QDialog& dialog) {
  if (const ModalAnswer* answer = ScopedModalStandIn::Current()) {
    return (*answer)(dialog);
  }
  // Modal to the windows it was opened from only: the help window that F1 opens beside it is no
  // window of theirs, and stays usable while the dialog waits for its answer.
  dialog.setWindowModality(Qt::WindowModal);
  return dialog.exec();
}

}  // namespace lintavo
