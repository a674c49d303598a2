#include "dialogs/TfrmQuickAccess.h"

#include "dialogs/DialogFrame.h"
#include "os/Paths.h"
#include "os/PlatformWording.h"
#include "pages/BrowserChanges.h"
#include "pages/ProductIdentity.h"
#include "pages/ShellRoutines.h"
#include "skin/ErrorReporting.h"
#include "ui_TfrmQuickAccess.h"

namespace lintavo {

namespace {

constexpr const char* kShortcutAdded = "Shortcut added.";
constexpr const char* kShortcutNotAdded = "The shortcut could not be created.";

// Lines end in CR LF; the blanks at the ends of lines 1, 2, 4, 6 and 7 belong to the text.
constexpr const char* kStopActiveXConfirmation =
    "The Internet Explorer will sometimes display a warning that it has restricted \r\n"
    "the home page from running scripts or activeX controls. This typically only happens \r\n"
    "if you have visited a web page that has special security settings, which is rare for\r\n"
    "most users. \r\n"
    "\r\n"
    "Clicking OK on this option will turn on the IE option \"Allow active content to run in "
    "files \r\n"
    "on My Computer\". Some anti-virus products may block this action. In which case, you will "
    "\r\n"
    "need to do the change manually.";

constexpr const char* kStopActiveXDone =
    "The change has been made. You will need to close all Internet Explorer windows for the "
    "change \r\n"
    "to take effect. If the warning continue, manually change the setting \"Allow active content "
    "to run\r\n"
    "in files on My Computer\" to on under Tools, Internet Options";

}  // namespace

TfrmQuickAccess::TfrmQuickAccess(MessageService& messages, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::TfrmQuickAccess>()), messages_(messages) {
  ui_->setupUi(this);
  ui_->btnQuickLaunch->setText(QString::fromUtf8(os::Wording().quickLaunchEntry));
  ui_->btnOk->setText(QString::fromUtf8(os::Wording().okButton));
  if (os::Wording().offersActiveContentSetting) {
    ConnectReportingFailures(ui_->btnStopActiveX, &QPushButton::clicked, this,
                             &TfrmQuickAccess::btnStopActiveXClick);
  } else {
    RemoveStopActiveX();
  }
  UseFixedDialogFrame(*this);
  ConnectReportingFailures(ui_->btnQuickLaunch, &QPushButton::clicked, this,
                           &TfrmQuickAccess::btnQuickLaunchClick);
  ConnectReportingFailures(ui_->btnDesktop, &QPushButton::clicked, this,
                           &TfrmQuickAccess::btnDesktopClick);
  connect(ui_->btnOk, &QPushButton::clicked, this, &QDialog::accept);
}

// Where the browsers have no such warning, its button goes, and OK and the dialog's bottom edge
// move up by one row, so that no gap is left where it stood.
void TfrmQuickAccess::RemoveStopActiveX() {
  const int row = ui_->btnStopActiveX->y() - ui_->btnDesktop->y();
  delete ui_->btnStopActiveX;
  ui_->btnStopActiveX = nullptr;
  ui_->btnOk->move(ui_->btnOk->x(), ui_->btnOk->y() - row);
  setFixedSize(width(), height() - row);
}

TfrmQuickAccess::~TfrmQuickAccess() = default;

void TfrmQuickAccess::btnQuickLaunchClick() {
  AddShortcut("QUICKLAUNCH");
}

void TfrmQuickAccess::btnDesktopClick() {
  AddShortcut("DESKTOP");
}

void TfrmQuickAccess::btnStopActiveXClick() {
  if (messages_.MessageDlg(kStopActiveXConfirmation, MessageKind::Information,
                           MessageButtons::OkCancel) != kMessageResultOk) {
    return;
  }
  if (!AllowActiveContentInLocalFiles()) {
    return;  // the setting's key was neither opened nor created: the command ends without a word
  }
  messages_.MessageDlg(kStopActiveXDone, MessageKind::Information, MessageButtons::Ok);
}

// Says "Shortcut added." only when the link was written; a shortcut that could not be saved is
// reported as such instead of as a success.
void TfrmQuickAccess::AddShortcut(const std::string& where) {
  const bool written = CreateShortcut(os::ProgramPath(), kProductName, where);
  messages_.MessageDlg(written ? kShortcutAdded : kShortcutNotAdded, MessageKind::Information,
                       MessageButtons::Ok);
}

}  // namespace lintavo
