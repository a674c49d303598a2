#include "skin/ErrorBox.h"

#include <QApplication>
#include <QMessageBox>

#include "skin/ModalDialogs.h"
#include "skin/WidgetText.h"

namespace lintavo {

void ShowErrorBox(const std::string& text) {
  QMessageBox box(QApplication::activeWindow());
  box.setWindowTitle(QStringLiteral("Error"));
  box.setIcon(QMessageBox::Critical);
  box.setTextFormat(Qt::PlainText);
  box.setText(ToWidgetText(text));
  box.setStandardButtons(QMessageBox::Ok);
  ShowModal(box);
}

}  // namespace lintavo
