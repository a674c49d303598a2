#include "dialogs/TfrmEnumerator.h"

#include <QKeyEvent>
#include <algorithm>
#include <utility>

#include "base/Text.h"
#include "dialogs/DialogFrame.h"
#include "skin/Anchors.h"
#include "skin/ErrorReporting.h"
#include "skin/ModalDialogs.h"
#include "skin/WidgetText.h"
#include "ui_TfrmEnumerator.h"

namespace lintavo {

namespace {

constexpr const char* kSelectUrl = "Please select a URL.";

// The list shows at most this many locations, however many pages are open: filling a list widget
// with hundreds of thousands of lines would hold the program up for many seconds. When there are
// more, a last line that is no location says so.
constexpr int kMaxLocations = 10'000;
constexpr const char* kLocationsCut = "Only the first 10,000 open pages are listed.";

// A window is listed when it shows a loaded document at a location; a local location only when
// it names a web page (".html" holds ".htm"). Both tests count case, as the browser's own did.
bool ShowsAPageToLink(const browsers::ShellWindows::Window& window) {
  if (!window.isWebBrowser || window.locationUrl.empty() || !window.hasDocument) {
    return false;
  }
  const std::string& location = window.locationUrl;
  return location.find("file:") == std::string::npos || location.find(".htm") != std::string::npos;
}

// Characters that would break an entry's line or turn its text around: the C0 and C1 controls
// and DEL, the bidirectional controls, and the Unicode line and paragraph separators.
bool HidesWhatItIs(char16_t c) {
  return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x061C || c == 0x200E || c == 0x200F ||
         (c >= 0x2028 && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

// A location as the list shows it and as it becomes a link's target: with those characters
// percent-encoded, as a browser's address bar shows them (a line feed as %0A, U+202E as
// %E2%80%AE). The entry then shows what the address is, the target stays on one line, and to a
// browser it is the same address. This is done here, where a location becomes text that a person
// reads and a link keeps, and not where the browsers' files are read: the shell's windows report
// the locations as the browsers hold them, on every system and for every browser alike.
QString VisibleLocation(const std::string& location) {
  QString visible;
  for (const QChar c : ToWidgetText(location)) {
    if (HidesWhatItIs(c.unicode())) {
      visible += ToWidgetText(base::PercentEncoded(FromWidgetText(QString(c))));
    } else {
      visible += c;
    }
  }
  return visible;
}

}  // namespace

TfrmEnumerator::TfrmEnumerator(MessageService& messages, ShellWindowsSource shellWindows,
                               QWidget* parent)
    : QDialog(parent),
      ui_(std::make_unique<Ui::TfrmEnumerator>()),
      messages_(messages),
      shellWindows_(std::move(shellWindows)) {
  ui_->setupUi(this);
  UseResizableDialogFrame(*this, true);
  auto* anchors = new Anchors(*this);
  anchors->Add(*ui_->lbxBrowsers,
               Anchors::kLeft | Anchors::kTop | Anchors::kRight | Anchors::kBottom);
  anchors->Add(*ui_->btnSave, Anchors::kRight | Anchors::kBottom);
  anchors->Add(*ui_->btnCancel, Anchors::kRight | Anchors::kBottom);
  ConnectReportingFailures(ui_->btnSave, &QPushButton::clicked, this,
                           &TfrmEnumerator::btnSaveClick);
  connect(ui_->btnCancel, &QPushButton::clicked, this, &TfrmEnumerator::reject);
  ui_->lbxBrowsers->installEventFilter(this);
  FormCreate();
}

TfrmEnumerator::~TfrmEnumerator() = default;

int TfrmEnumerator::LocationCount() const {
  return locationCount_;
}

std::string TfrmEnumerator::SelectedLocation() const {
  const QList<QListWidgetItem*> selected = ui_->lbxBrowsers->selectedItems();
  return selected.isEmpty() ? std::string() : FromWidgetText(selected.front()->text());
}

// A failure while the list is being built is reported; the picker offers what it found before.
void TfrmEnumerator::FormCreate() {
  RunReportingFailures([this] { FillBrowserList(); });
}

void TfrmEnumerator::FillBrowserList() {
  ui_->lbxBrowsers->clear();
  locationCount_ = 0;
  const browsers::ShellWindows windows = shellWindows_();
  const int count = windows.Count();
  for (int i = 0; i < count; ++i) {
    const std::optional<browsers::ShellWindows::Window> window = windows.Item(i);
    if (!window || !ShowsAPageToLink(*window)) {
      continue;
    }
    if (locationCount_ == kMaxLocations) {
      // Shown, but it cannot be selected, so Save never takes it for a location.
      auto* cut = new QListWidgetItem(ToWidgetText(kLocationsCut), ui_->lbxBrowsers);
      cut->setFlags(Qt::NoItemFlags);
      break;
    }
    ui_->lbxBrowsers->addItem(VisibleLocation(window->locationUrl));
    ++locationCount_;
  }
  ui_->lbxBrowsers->setCurrentRow(-1);
}

// Before anything is picked, the list already frames an entry when it takes the focus; the first
// Up or Down picks that entry rather than moving past it, so the first location can be reached.
bool TfrmEnumerator::eventFilter(QObject* watched, QEvent* event) {
  QListWidget& list = *ui_->lbxBrowsers;
  if (watched == &list && event->type() == QEvent::KeyPress && list.count() > 0 &&
      list.selectedItems().isEmpty()) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Down || key == Qt::Key_Up) {
      list.setCurrentRow(std::max(list.currentRow(), 0));
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TfrmEnumerator::btnSaveClick() {
  if (ui_->lbxBrowsers->selectedItems().isEmpty()) {
    messages_.MessageDlg(kSelectUrl, MessageKind::Information, MessageButtons::Ok);
    ui_->lbxBrowsers->setFocus();
    return;
  }
  done(kModalResultOk);
}

void TfrmEnumerator::reject() {
  done(kModalResultCancel);
}

}  // namespace lintavo
