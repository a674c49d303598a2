#include "app/TApplication.h"

#include <QKeyEvent>
#include <QPushButton>

#include "skin/ErrorReporting.h"

namespace lintavo {

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TApplication::notify(QObject* receiver, QEvent* event) {
  bool handled = false;
  RunReportingFailures([&] {
    // A key goes to its window first and then to the focused widget: it is answered there, once.
    handled = (event->type() == QEvent::KeyPress && receiver->isWidgetType() &&
               AnswerProgramKey(*static_cast<QWidget*>(receiver),
                                *static_cast<const QKeyEvent*>(event))) ||
              QApplication::notify(receiver, event);
  });
  return handled;
}

// A key held down repeats; the repeats are taken too, but press nothing again.
bool TApplication::AnswerProgramKey(QWidget& receiver, const QKeyEvent& key) {
  if ((key.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
    return false;
  }
  if (const HelpCommand* help = ScopedHelpKey::Current(); key.key() == Qt::Key_F1 && help) {
    if (!key.isAutoRepeat()) {
      (*help)();
    }
    return true;
  }
  auto* button = qobject_cast<QPushButton*>(&receiver);
  if ((key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) && button != nullptr) {
    if (!key.isAutoRepeat()) {
      button->click();
    }
    return true;
  }
  return false;
}

}  // namespace lintavo
