#include "dialogs/DialogFrame.h"

#include <QDialog>
#include <QGuiApplication>
#include <QScreen>

namespace lintavo {

void UseFixedDialogFrame(QDialog& dialog) {
  dialog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                        Qt::MSWindowsFixedSizeDialogHint);
  const QWidget* parent = dialog.parentWidget();
  const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
  if (screen) {
    // Moving the dialog now also keeps Qt from centring it over its parent when it is shown.
    dialog.move(screen->availableGeometry().center() - dialog.rect().center());
  }
}

}  // namespace lintavo
