#include "skin/DefaultButton.h"

#include <QDialog>
#include <QEvent>
#include <QKeyEvent>
#include <QPushButton>

namespace lintavo {

namespace {

// Watches the keys that reach the dialog because the control with the focus let them pass. A
// push button without auto-default lets Enter pass; the dialog would press its default with it.
class FocusedButtonTakesEnter : public QObject {
 public:
  explicit FocusedButtonTakesEnter(QDialog& dialog) : QObject(&dialog), dialog_(dialog) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != &dialog_ || event->type() != QEvent::KeyPress) {
      return false;
    }
    const auto& key = static_cast<const QKeyEvent&>(*event);
    const bool enter = key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
    if (!enter || (key.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
      return false;
    }
    auto* focused = qobject_cast<QPushButton*>(dialog_.focusWidget());
    if (focused == nullptr || !focused->isEnabled() || !focused->isVisible()) {
      return false;
    }
    focused->click();
    return true;
  }

 private:
  QDialog& dialog_;
};

}  // namespace

void UseDefaultButton(QDialog& dialog, QPushButton& button) {
  for (QPushButton* other : dialog.findChildren<QPushButton*>()) {
    other->setAutoDefault(false);
  }
  button.setDefault(true);
  dialog.installEventFilter(new FocusedButtonTakesEnter(dialog));
}

}  // namespace lintavo
