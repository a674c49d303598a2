#include "dialogs/TfrmAbout.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <string>

#include "dialogs/BrowserOpening.h"
#include "dialogs/DialogFrame.h"
#include "os/PlatformWording.h"
#include "pages/ProductIdentity.h"
#include "skin/BuiltInPictures.h"
#include "skin/ErrorReporting.h"
#include "skin/WidgetText.h"
#include "ui_TfrmAbout.h"

// The emblem lies in dialogs.qrc, compiled into a static library, whose resources stay missing
// until registered; registering again does nothing more. Q_INIT_RESOURCE declares the
// registration function where it is used, so it must be used outside any namespace.
static void RegisterDialogsQrc() {
  Q_INIT_RESOURCE(dialogs);
}

namespace lintavo {

namespace {

constexpr int kMarginToTheRight = 15;

// For mouse button events only.
bool IsLeftButton(const QEvent& event) {
  return static_cast<const QMouseEvent&>(event).button() == Qt::LeftButton;
}

// For key events only: the keys that press a button.
bool IsPressKey(const QEvent& event) {
  const auto& key = static_cast<const QKeyEvent&>(event);
  return key.modifiers() == Qt::NoModifier &&
         (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter || key.key() == Qt::Key_Space);
}

// Labels take the size of their text from their designed top left. A text too long for the
// window wraps at the window's right margin (as wide as the emblem's left one) instead of being
// cut off there.
void ShowText(QLabel& label, const std::string& text) {
  label.ensurePolished();  // measured with the font the skin gives it
  label.setText(ToWidgetText(text));
  const QWidget& window = *label.window();
  const int widthLeft = window.width() - label.x() - kMarginToTheRight;
  label.setWordWrap(label.sizeHint().width() > widthLeft);
  if (label.wordWrap()) {
    label.resize(widthLeft, label.heightForWidth(widthLeft));
  } else {
    label.adjustSize();
  }
}

}  // namespace

TfrmAbout::TfrmAbout(MessageService& messages, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::TfrmAbout>()), messages_(messages) {
  ui_->setupUi(this);
  ui_->editAbout->setText(QString::fromUtf8(os::Wording().okButton));
  // The box opens with OK focused, so that Enter closes it; Tab reaches the address first.
  ui_->editAbout->setFocus();
  RegisterDialogsQrc();
  ui_->Image1->setPixmap(BuiltInPngPicture(":/dialogs/emblem.png"));
  UseFixedDialogFrame(*this);
  FormCreate();
  ui_->lblWebsite->installEventFilter(this);
  ConnectReportingFailures(ui_->editAbout, &QPushButton::clicked, this, &TfrmAbout::editAboutClick);
}

TfrmAbout::~TfrmAbout() = default;

void TfrmAbout::FormCreate() {
  setWindowTitle(ToWidgetText(std::string("About ") + kProductName));
  ShowText(*ui_->lblProductName, kProductName);
  ShowText(*ui_->lblCopyright1, kCopyrightLine);
  ShowText(*ui_->lblProductVersion, std::string("Product Version: ") + kProductVersion);
  ShowText(*ui_->lblWebsite, kVendorWebSite);
}

void TfrmAbout::editAboutClick() {
  accept();
}

void TfrmAbout::lblWebsiteClick() {
  OpenVendorWebSite(messages_);
}

void TfrmAbout::lblWebsiteDblClick() {
  OpenVendorWebSite(messages_);
}

bool TfrmAbout::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ui_->lblWebsite) {
    switch (event->type()) {
      case QEvent::MouseButtonPress:
        websitePressed_ = IsLeftButton(*event);
        break;
      case QEvent::MouseButtonRelease: {
        // A click is a press and a release of the left button on the label; the release that
        // ends a double click is none.
        const bool clicked = websitePressed_ && IsLeftButton(*event) &&
                             ui_->lblWebsite->rect().contains(
                                 static_cast<QMouseEvent*>(event)->position().toPoint());
        websitePressed_ = false;
        if (clicked) {
          lblWebsiteClick();
        }
        break;
      }
      case QEvent::MouseButtonDblClick:
        websitePressed_ = false;
        if (IsLeftButton(*event)) {
          lblWebsiteDblClick();
        }
        break;
      case QEvent::KeyPress:
        if (IsPressKey(*event)) {
          lblWebsiteClick();
          return true;
        }
        break;
      default:
        break;
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace lintavo
