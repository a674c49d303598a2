#include "dialogs/TfrmHPSettings.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <utility>

#include "base/Text.h"
#include "dialogs/DialogFrame.h"
#include "dialogs/TfrmEditLink.h"
#include "os/ProfileFile.h"
#include "pages/ColorText.h"
#include "pages/WindowSettings.h"
#include "skin/Anchors.h"
#include "skin/ErrorReporting.h"
#include "skin/ModalDialogs.h"
#include "skin/WidgetText.h"
#include "ui_TfrmHPSettings.h"

namespace lintavo {

namespace {

constexpr const char* kNameRequired = "A page name is required.";
constexpr const char* kConfirmClear = "Are you sure you want clear this link?";
constexpr const char* kConfirmDiscard = "Discard the changes to this page?";

// The grid's rows 1 to 6 are the page's rows; row 0 is the header, which holds no link.
int GridRowOf(int tableRow) {
  return tableRow + 1;
}

// The grid's columns 0 to 7 are the page's columns 1 to 8.
int CellOf(int gridRow, int tableColumn) {
  return CellIndex(gridRow, tableColumn + 1);
}

// What a cell shows of its link: both caption lines with a space between, or the one that is not
// empty. The lines are shown as they are; the target is not shown.
QString CellText(const std::string& line1, const std::string& line2) {
  if (!line1.empty() && !line2.empty()) {
    return ToWidgetText(line1) + QLatin1Char(' ') + ToWidgetText(line2);
  }
  return ToWidgetText(line1) + ToWidgetText(line2);
}

}  // namespace

TfrmHPSettings::TfrmHPSettings(TWebManager& webManager, int position, std::string configFile,
                               MessageService& messages, ShellWindowsSource shellWindows,
                               QWidget* parent)
    : QDialog(parent),
      ui_(std::make_unique<Ui::TfrmHPSettings>()),
      webManager_(webManager),
      position_(position),
      configFile_(std::move(configFile)),
      messages_(messages),
      shellWindows_(std::move(shellWindows)) {
  ui_->setupUi(this);
  auto* anchors = new Anchors(*this);
  anchors->Add(*ui_->grdSettings,
               Anchors::kLeft | Anchors::kTop | Anchors::kRight | Anchors::kBottom);
  for (QWidget* button : {ui_->btnEditLink, ui_->btnCut, ui_->btnPaste, ui_->btnClear}) {
    anchors->Add(*button, Anchors::kLeft | Anchors::kBottom);
  }
  for (QWidget* button : {ui_->btnSave, ui_->btnCancel}) {
    anchors->Add(*button, Anchors::kRight | Anchors::kBottom);
  }
  UseResizableDialogFrame(*this, false);

  // The header row stays empty; rows keep their height; only the columns can be dragged wider.
  QTableWidget& grid = *ui_->grdSettings;
  grid.setHorizontalHeaderLabels(QStringList(kGridColumns, QString()));
  grid.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  for (int row = 0; row < kGridRows; ++row) {
    for (int column = 0; column < kGridColumns; ++column) {
      auto* cell = new QTableWidgetItem();
      cell->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
      grid.setItem(row, column, cell);
    }
  }
  grid.setCurrentCell(0, 0);
  connect(&grid, &QTableWidget::itemSelectionChanged, this, &TfrmHPSettings::KeepOneCellSelected);

  // Cut, Paste and Save's Ctrl+S belong to the whole dialog, keys and buttons alike.
  addAction(ui_->actCut);
  addAction(ui_->actPaste);
  addAction(ui_->actSave);
  connect(ui_->btnCut, &QPushButton::clicked, ui_->actCut, &QAction::trigger);
  connect(ui_->btnPaste, &QPushButton::clicked, ui_->actPaste, &QAction::trigger);
  connect(ui_->actPaste, &QAction::enabledChanged, ui_->btnPaste, &QPushButton::setEnabled);
  ConnectReportingFailures(ui_->actCut, &QAction::triggered, this, &TfrmHPSettings::actCutExecute);
  ConnectReportingFailures(ui_->actPaste, &QAction::triggered, this,
                           &TfrmHPSettings::actPasteExecute);
  for (QWidget* child : findChildren<QWidget*>()) {
    child->installEventFilter(this);
  }

  ConnectReportingFailures(ui_->edtName, &QLineEdit::textChanged, this,
                           &TfrmHPSettings::edtNameChange);
  ConnectReportingFailures(ui_->colFont, &QComboBox::activated, this,
                           &TfrmHPSettings::colFontChange);
  ConnectReportingFailures(ui_->colTitle, &QComboBox::activated, this,
                           &TfrmHPSettings::colTitleChange);
  ConnectReportingFailures(ui_->btnEditLink, &QPushButton::clicked, this,
                           &TfrmHPSettings::btnEditLinkClick);
  ConnectReportingFailures(&grid, &QTableWidget::cellDoubleClicked, this,
                           &TfrmHPSettings::grdSettingsDblClick);
  ConnectReportingFailures(ui_->btnClear, &QPushButton::clicked, this,
                           &TfrmHPSettings::btnClearClick);
  ConnectReportingFailures(ui_->btnSave, &QPushButton::clicked, this,
                           &TfrmHPSettings::btnSaveClick);
  ConnectReportingFailures(ui_->actSave, &QAction::triggered, this, &TfrmHPSettings::btnSaveClick);
  connect(ui_->btnCancel, &QPushButton::clicked, this, &TfrmHPSettings::reject);

  FormCreate();
}

TfrmHPSettings::~TfrmHPSettings() = default;

// A step that fails is reported and ends the opening there; the dialog opens all the same.
void TfrmHPSettings::FormCreate() {
  RunReportingFailures([this] {
    LoadWindowSize();
    ui_->actPaste->setEnabled(false);
    ui_->btnPaste->setEnabled(false);
    cutRow_ = -1;
    cutCol_ = -1;
    LoadPage();
    FillGrid();
  });
}

// The size the dialog had when it last closed, or its designed size; centred at that size.
void TfrmHPSettings::LoadWindowSize() {
  const ProfileFile settings = ProfileFile::Load(configFile_);
  const int width = settings.ReadInteger(kSettingsSection, kGridWidthKey, this->width());
  const int height = settings.ReadInteger(kSettingsSection, kGridHeightKey, this->height());
  resize(width, height);
  UseResizableDialogFrame(*this, false);
}

void TfrmHPSettings::SaveWindowSize() {
  ProfileFile settings = ProfileFile::Load(configFile_);
  settings.WriteInteger(kSettingsSection, kGridWidthKey, width());
  settings.WriteInteger(kSettingsSection, kGridHeightKey, height());
  settings.Save();
}

TWebPage& TfrmHPSettings::StoredPage() {
  return webManager_.Pages.at(static_cast<std::size_t>(position_)).second;
}

void TfrmHPSettings::LoadPage() {
  workPage_ = StoredPage();
  shownName_ = workPage_.Name;
  ui_->edtName->setText(ToWidgetText(shownName_));
  ui_->colFont->SetColor(HtmlToColor(workPage_.TextColor));
  ui_->colTitle->SetColor(HtmlToColor(workPage_.TitleColor));
}

void TfrmHPSettings::FillGrid() {
  for (int row = 0; row < kGridRows; ++row) {
    for (int column = 0; column < kGridColumns; ++column) {
      const auto cell = static_cast<std::size_t>(CellOf(GridRowOf(row), column));
      ui_->grdSettings->item(row, column)
          ->setText(CellText(workPage_.CaptionLines1[cell], workPage_.CaptionLines2[cell]));
    }
  }
}

// A name the person did not change keeps its bytes, whatever code page wrote them.
std::string TfrmHPSettings::EditedName() const {
  return FromWidgetText(ui_->edtName->text(), shownName_);
}

int TfrmHPSettings::SelectedCell() const {
  return CellOf(GridRowOf(ui_->grdSettings->currentRow()), ui_->grdSettings->currentColumn());
}

// Exactly one cell is selected at all times: a click that would leave none keeps the current.
void TfrmHPSettings::KeepOneCellSelected() {
  QTableWidget& grid = *ui_->grdSettings;
  if (grid.selectedItems().isEmpty() && grid.currentItem() != nullptr) {
    grid.currentItem()->setSelected(true);
  }
}

void TfrmHPSettings::edtNameChange() {
  workPage_.Name = EditedName();
}

void TfrmHPSettings::colFontChange() {
  workPage_.TextColor = ColorToHtml(ui_->colFont->Color());
}

void TfrmHPSettings::colTitleChange() {
  workPage_.TitleColor = ColorToHtml(ui_->colTitle->Color());
}

void TfrmHPSettings::btnEditLinkClick() {
  const auto cell = static_cast<std::size_t>(SelectedCell());
  TfrmEditLink editor(messages_, shellWindows_, this);
  editor.SetLink(workPage_.CaptionLines1[cell], workPage_.CaptionLines2[cell],
                 workPage_.Targets[cell]);
  if (ShowModal(editor) != kModalResultOk) {
    return;
  }
  workPage_.CaptionLines1[cell] = editor.Line1();
  workPage_.CaptionLines2[cell] = editor.Line2();
  workPage_.Targets[cell] = editor.Target();
  FillGrid();
}

void TfrmHPSettings::grdSettingsDblClick() {
  btnEditLinkClick();
}

void TfrmHPSettings::btnClearClick() {
  const auto cell = static_cast<std::size_t>(SelectedCell());
  if (messages_.MessageDlg(kConfirmClear, MessageKind::Confirmation, MessageButtons::OkCancel) !=
      kMessageResultOk) {
    return;
  }
  workPage_.CaptionLines1[cell].clear();
  workPage_.CaptionLines2[cell].clear();
  workPage_.Targets[cell].clear();
  FillGrid();
}

// Marks the selected cell; the link stays where it is until a Paste moves it.
void TfrmHPSettings::actCutExecute() {
  cutRow_ = GridRowOf(ui_->grdSettings->currentRow());
  cutCol_ = ui_->grdSettings->currentColumn();
  ui_->actPaste->setEnabled(true);
}

// Moves whatever the marked cell holds now to the selected cell, replacing its link.
void TfrmHPSettings::actPasteExecute() {
  const int row = GridRowOf(ui_->grdSettings->currentRow());
  const int column = ui_->grdSettings->currentColumn();
  if (row == cutRow_ && column == cutCol_) {
    ui_->actPaste->setEnabled(false);
    return;
  }
  if (cutRow_ == -1 || cutCol_ == -1) {
    return;
  }
  const auto from = static_cast<std::size_t>(CellOf(cutRow_, cutCol_));
  const auto to = static_cast<std::size_t>(CellOf(row, column));
  for (auto* list : {&workPage_.CaptionLines1, &workPage_.CaptionLines2, &workPage_.Targets}) {
    (*list)[to] = std::exchange((*list)[from], std::string());
  }
  FillGrid();
  ui_->actPaste->setEnabled(false);
}

// The name must hold more than spaces. The page store takes the edits before the files are
// written, so they stay there even when writing fails and the person then cancels.
void TfrmHPSettings::btnSaveClick() {
  if (base::TrimSpacesAndControls(EditedName()).empty()) {
    messages_.MessageDlg(kNameRequired, MessageKind::Information, MessageButtons::Ok);
    ui_->edtName->setFocus();
    return;
  }
  StorePage();
  webManager_.SavePages();
  webManager_.GeneratePages();
  done(kModalResultOk);
}

void TfrmHPSettings::StorePage() {
  TWebPage& stored = StoredPage();
  stored = workPage_;
  stored.Name = EditedName();
  stored.TextColor = ColorToHtml(ui_->colFont->Color());
  stored.TitleColor = ColorToHtml(ui_->colTitle->Color());
}

// Every way of closing keeps the dialog's size for the next time it opens.
void TfrmHPSettings::done(int result) {
  RunReportingFailures([this] { SaveWindowSize(); });
  QDialog::done(result);
}

void TfrmHPSettings::reject() {
  if (HasUnsavedChanges() &&
      messages_.MessageDlg(kConfirmDiscard, MessageKind::Confirmation,
                           MessageButtons::OkCancelDefaultCancel) != kMessageResultOk) {
    return;
  }
  done(kModalResultCancel);
}

// Colours compare without regard to case: "#ffff00" from the file is the Yellow the box shows,
// which a person may pick again.
bool TfrmHPSettings::HasUnsavedChanges() {
  const TWebPage& stored = StoredPage();
  return workPage_.Name != stored.Name ||
         !base::EqualIgnoringAsciiCase(workPage_.TextColor, stored.TextColor) ||
         !base::EqualIgnoringAsciiCase(workPage_.TitleColor, stored.TitleColor) ||
         workPage_.CaptionLines1 != stored.CaptionLines1 ||
         workPage_.CaptionLines2 != stored.CaptionLines2 || workPage_.Targets != stored.Targets;
}

// Enter and F2 edit the selected link and Delete clears it, as the buttons do. Tab and Shift+Tab
// leave the grid (it takes no Tab for itself), and so do Ctrl+Tab and Ctrl+Shift+Tab, which
// leave a control that keeps Tab for itself.
bool TfrmHPSettings::GridKeyPress(const QKeyEvent& key) {
  const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
  if (modifiers == Qt::NoModifier) {
    switch (key.key()) {
      case Qt::Key_Return:
      case Qt::Key_Enter:
      case Qt::Key_F2:
        RunReportingFailures([this] { btnEditLinkClick(); });
        return true;
      case Qt::Key_Delete:
        RunReportingFailures([this] { btnClearClick(); });
        return true;
      default:
        return false;
    }
  }
  if (modifiers.testFlag(Qt::ControlModifier) && !modifiers.testFlag(Qt::AltModifier)) {
    const bool backwards = key.key() == Qt::Key_Backtab ||
                           (key.key() == Qt::Key_Tab && modifiers.testFlag(Qt::ShiftModifier));
    if (backwards || key.key() == Qt::Key_Tab) {
      focusNextPrevChild(!backwards);
      return true;
    }
  }
  return false;
}

bool TfrmHPSettings::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ui_->grdSettings && event->type() == QEvent::KeyPress &&
      GridKeyPress(static_cast<const QKeyEvent&>(*event))) {
    return true;
  }
  if (event->type() == QEvent::ShortcutOverride) {
    const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
    if (pressed == ui_->actCut->shortcut() ||
        (ui_->actPaste->isEnabled() && pressed == ui_->actPaste->shortcut())) {
      // Not taken by the control, so the dialog's shortcut runs.
      event->ignore();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace lintavo
