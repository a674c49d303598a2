#include "skin/SkinMessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "skin/ModalDialogs.h"
#include "skin/WidgetText.h"

namespace lintavo {

namespace {

// Texts may break lines with CR LF, LF CR or either alone; the box shows each as one line break.
QString WithPlainLineBreaks(QString text) {
  text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  text.replace(QLatin1String("\n\r"), QLatin1String("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return text;
}

}  // namespace

int SkinMessageBox::MessageDlg(const std::string& text, MessageKind kind, MessageButtons buttons) {
  QMessageBox box(QApplication::activeWindow());
  const bool confirmation = kind == MessageKind::Confirmation;
  box.setWindowTitle(confirmation ? QStringLiteral("Confirm") : QStringLiteral("Information"));
  box.setIcon(confirmation ? QMessageBox::Question : QMessageBox::Information);
  // Page names and paths appear in messages; they are never read as markup.
  box.setTextFormat(Qt::PlainText);
  box.setText(WithPlainLineBreaks(ToWidgetText(text)));

  // Alt+O and Alt+C press the buttons, as a letter does every button of the program.
  QPushButton* ok = box.addButton(QMessageBox::Ok);
  ok->setText(QStringLiteral("&OK"));
  QPushButton* cancel = nullptr;
  if (buttons != MessageButtons::Ok) {
    cancel = box.addButton(QMessageBox::Cancel);
    cancel->setText(QStringLiteral("&Cancel"));
    box.setEscapeButton(cancel);
  }
  box.setDefaultButton(buttons == MessageButtons::OkCancelDefaultCancel ? cancel : ok);

  ShowModal(box);
  // Closing the box any other way than with OK counts as Cancel.
  return box.clickedButton() == ok ? kMessageResultOk : kMessageResultCancel;
}

}  // namespace lintavo
