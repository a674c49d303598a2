#include "dialogs/TfrmEditLink.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>

#include "base/PathText.h"
#include "base/Text.h"
#include "dialogs/DialogFrame.h"
#include "os/PlatformWording.h"
#include "pages/LinkTargets.h"
#include "skin/ErrorReporting.h"
#include "skin/FileDialogs.h"
#include "skin/ModalDialogs.h"
#include "skin/TypingLimit.h"
#include "skin/WidgetText.h"
#include "ui_TfrmEditLink.h"

namespace lintavo {

namespace {

// A caption line fits under its link on the page at this many characters.
constexpr int kCaptionLineLimit = 12;

constexpr const char* kDescriptionRequired = "A short description is required.";
constexpr const char* kTargetRequired = "A target url is required.";
constexpr const char* kTargetPrefixRequired =
    "The link must begin with either file://, http://, https://, ftp:// or ftps://";
constexpr const char* kInvalidFolder = "Please select a valid folder.";

// A web address typed as people say it, the host without a scheme ("www.example.org"): Save puts
// the scheme of the web in front instead of refusing it.
constexpr std::string_view kBareWebHost = "www.";
constexpr std::string_view kWebScheme = "https://";

// The shell folders a folder dialog may name that are no folder on disk.
constexpr std::array<std::string_view, 2> kNoFolders = {"My Computer", "Mi PC"};

}  // namespace

TfrmEditLink::TfrmEditLink(MessageService& messages, ShellWindowsSource shellWindows,
                           QWidget* parent)
    : QDialog(parent),
      ui_(std::make_unique<Ui::TfrmEditLink>()),
      messages_(messages),
      shellWindows_(std::move(shellWindows)) {
  ui_->setupUi(this);
  UseFixedDialogFrame(*this);
  new TypingLimit(*ui_->edtLine1, kCaptionLineLimit, *ui_->lblLine1RoomLeft);
  new TypingLimit(*ui_->edtLine2, kCaptionLineLimit, *ui_->lblLine2RoomLeft);
  ConnectReportingFailures(ui_->btnSave, &QPushButton::clicked, this, &TfrmEditLink::btnSaveClick);
  ConnectReportingFailures(ui_->btnClear, &QPushButton::clicked, this,
                           &TfrmEditLink::btnClearClick);
  ConnectReportingFailures(ui_->btnSelectFolder, &QPushButton::clicked, this,
                           &TfrmEditLink::btnSelectFolderClick);
  ConnectReportingFailures(ui_->btnInsertBrowserLocation, &QPushButton::clicked, this,
                           &TfrmEditLink::btnInsertBrowserLocationClick);
  connect(ui_->btnCancel, &QPushButton::clicked, this, &TfrmEditLink::reject);
}

TfrmEditLink::~TfrmEditLink() = default;

void TfrmEditLink::SetLink(const std::string& line1, const std::string& line2,
                           const std::string& target) {
  shownLine1_ = line1;
  shownLine2_ = line2;
  shownTarget_ = target;
  ui_->edtLine1->setText(ToWidgetText(line1));
  ui_->edtLine2->setText(ToWidgetText(line2));
  ui_->edtTarget->setText(ToWidgetText(target));
}

// A text the person did not change keeps its bytes, whatever code page wrote them.
std::string TfrmEditLink::Line1() const {
  return FromWidgetText(ui_->edtLine1->text(), shownLine1_);
}

std::string TfrmEditLink::Line2() const {
  return FromWidgetText(ui_->edtLine2->text(), shownLine2_);
}

std::string TfrmEditLink::Target() const {
  return FromWidgetText(ui_->edtTarget->text(), shownTarget_);
}

// The rules in order; the first that fails is said, the focus goes to the box it is about, and
// the dialog stays open as it is. The trimmed texts serve the checks only: the boxes keep what the
// person typed, but for the scheme put in front of a bare web host.
void TfrmEditLink::btnSaveClick() {
  const char* broken = nullptr;
  QLineEdit* brokenBox = ui_->edtTarget;
  const std::string target(base::TrimSpacesAndControls(Target()));
  if (base::TrimSpacesAndControls(Line1()).empty() &&
      base::TrimSpacesAndControls(Line2()).empty()) {
    broken = kDescriptionRequired;
    brokenBox = ui_->edtLine1;
  } else if (target.empty()) {
    broken = kTargetRequired;
  } else if (!HasAcceptedScheme(target)) {
    if (base::AsciiLowerCase(target).starts_with(kBareWebHost)) {
      ui_->edtTarget->setText(ToWidgetText(std::string(kWebScheme) + target));
    } else {
      broken = kTargetPrefixRequired;
    }
  }
  if (broken != nullptr) {
    messages_.MessageDlg(broken, MessageKind::Information, MessageButtons::Ok);
    brokenBox->setFocus();
    return;
  }
  done(kModalResultOk);
}

void TfrmEditLink::btnClearClick() {
  SetLink("", "", "");
}

// A shell folder that is no folder on disk is refused, and the folder dialog comes back until the
// person picks a folder or cancels.
void TfrmEditLink::btnSelectFolderClick() {
  for (;;) {
    const std::optional<std::string> folder = ChooseFolder(this, "Select folder");
    if (!folder) {
      return;
    }
    if (std::find(kNoFolders.begin(), kNoFolders.end(), *folder) == kNoFolders.end()) {
      ui_->edtTarget->setText(ToWidgetText(base::FileUrlOfPath(*folder)));
      return;
    }
    messages_.MessageDlg(kInvalidFolder, MessageKind::Information, MessageButtons::Ok);
  }
}

void TfrmEditLink::btnInsertBrowserLocationClick() {
  TfrmEnumerator picker(messages_, shellWindows_, this);
  if (picker.LocationCount() == 0) {
    messages_.MessageDlg(os::Wording().noBrowserLocations, MessageKind::Information,
                         MessageButtons::Ok);
    return;
  }
  if (ShowModal(picker) == kModalResultOk) {
    const std::string location = picker.SelectedLocation();
    if (!location.empty()) {
      ui_->edtTarget->setText(ToWidgetText(location));
    }
  }
}

void TfrmEditLink::reject() {
  done(kModalResultCancel);
}

}  // namespace lintavo
