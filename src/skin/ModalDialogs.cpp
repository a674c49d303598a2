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
  return dialog.exec();
}

}  // namespace lintavo
