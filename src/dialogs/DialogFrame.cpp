#include "dialogs/DialogFrame.h"

#include <QDialog>
#include <QGuiApplication>
#include <QScreen>

namespace lintavo {

namespace {

void CentreOnScreen(QDialog& dialog) {
  const QWidget* parent = dialog.parentWidget();
  const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
  if (screen) {
    // Moving the dialog now also keeps Qt from centring it over its parent when it is shown.
    dialog.move(screen->availableGeometry().center() - dialog.rect().center());
  }
}

}  // namespace

void UseFixedDialogFrame(QDialog& dialog) {
  dialog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                        Qt::MSWindowsFixedSizeDialogHint);
  CentreOnScreen(dialog);
}

void UseResizableDialogFrame(QDialog& dialog, bool closeButton) {
  Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
  if (closeButton) {
    flags |= Qt::WindowCloseButtonHint;
  }
  dialog.setWindowFlags(flags);
  dialog.setSizeGripEnabled(true);
  CentreOnScreen(dialog);
}

}  // namespace lintavo
