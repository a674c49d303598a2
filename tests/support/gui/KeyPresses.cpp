#include "support/gui/KeyPresses.h"

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QWidget>

namespace lintavo::test {

bool Activate(QWidget& window) {
  window.show();
  window.activateWindow();
  return QTest::qWaitForWindowActive(&window);
}

void PressKey(Qt::Key key, Qt::KeyboardModifiers modifiers) {
  QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}

std::string Focused() {
  const QWidget* focused = QApplication::focusWidget();
  return focused ? focused->objectName().toStdString() : "(nothing)";
}

std::vector<std::string> FocusAfterMnemonics(QWidget& from,
                                             std::initializer_list<Qt::Key> letters) {
  std::vector<std::string> focused;
  for (const Qt::Key letter : letters) {
    from.setFocus();
    PressKey(letter, Qt::AltModifier);
    focused.push_back(Focused());
  }
  return focused;
}

int ClosingResult(QDialog& dialog, const std::function<void()>& act) {
  int result = -1;
  const auto connection =
      QObject::connect(&dialog, &QDialog::finished, [&result](int closed) { result = closed; });
  act();
  QObject::disconnect(connection);
  return result;
}

}  // namespace lintavo::test
