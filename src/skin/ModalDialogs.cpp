#include "skin/ModalDialogs.h"

#include <QDialog>
#include <utility>

namespace lintavo {

namespace {

ScopedModalStandIn* currentStandIn = nullptr;

}  // namespace

ScopedModalStandIn::ScopedModalStandIn(Answer answer)
    : answer_(std::move(answer)), previous_(currentStandIn) {
  currentStandIn = this;
}

ScopedModalStandIn::~ScopedModalStandIn() {
  currentStandIn = previous_;
}

int ShowModal(QDialog& dialog) {
  if (currentStandIn != nullptr) {
    return currentStandIn->answer_(dialog);
  }
  // Modal to the windows it was opened from only: the help window that F1 opens beside it is no
  // window of theirs, and stays usable while the dialog waits for its answer.
  dialog.setWindowModality(Qt::WindowModal);
  return dialog.exec();
}

}  // namespace lintavo
