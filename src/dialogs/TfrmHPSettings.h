#pragma once

#include <QDialog>
#include <memory>
#include <string>

#include "dialogs/TfrmEnumerator.h"
#include "pages/WebManager.h"
#include "skin/MessageService.h"

class QKeyEvent;

namespace Ui {
class TfrmHPSettings;
}

namespace lintavo {

// The page settings dialog, "Home Page Settings": one page's name, its two colours and its grid
// of 48 links, edited on a working copy. Only Save copies the copy back into the page store and
// writes the settings file and all ten pages; it then closes with kModalResultOk. The dialog keeps
// its own size in the settings file, whichever way it closes.
class TfrmHPSettings : public QDialog {
  Q_OBJECT

 public:
  // Edits the page at list position `position` (0 to 9) of `webManager`. `configFile` holds the
  // dialog's size; `messages` (bsSkinMessage1) must outlive the dialog.
  TfrmHPSettings(TWebManager& webManager, int position, std::string configFile,
                 MessageService& messages,
                 ShellWindowsSource shellWindows = browsers::ShellWindows::Snapshot,
                 QWidget* parent = nullptr);
  ~TfrmHPSettings() override;

  const TWebPage& WorkPage() const { return workPage_; }

  void done(int result) override;
  // Escape, Cancel and closing the window: a page with changes that Save would keep closes only
  // once the person agrees to lose them.
  void reject() override;

 protected:
  // Gives the dialog's Cut, and its Paste while Paste is enabled, precedence over the edit box's
  // own keys: Ctrl+X always marks a link, Ctrl+V pastes a link only after a Cut. Gives the grid
  // its keys (GridKeyPress).
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void edtNameChange();
  void colFontChange();
  void colTitleChange();
  void btnEditLinkClick();
  void grdSettingsDblClick();
  void actCutExecute();
  void actPasteExecute();
  void btnClearClick();
  void btnSaveClick();

  void FormCreate();
  void LoadWindowSize();
  void SaveWindowSize();
  void LoadPage();
  void StorePage();
  void FillGrid();

  TWebPage& StoredPage();
  // The name in the box as it is to be stored.
  std::string EditedName() const;
  // The list position of the selected cell.
  int SelectedCell() const;
  void KeepOneCellSelected();
  // The grid's keys besides the arrows, which move between its cells as a grid's do; true for a
  // key it takes.
  bool GridKeyPress(const QKeyEvent& key);
  // Whether the working copy differs from the stored page: its name, its colours or its links.
  bool HasUnsavedChanges();

  std::unique_ptr<Ui::TfrmHPSettings> ui_;
  TWebManager& webManager_;
  int position_;
  std::string configFile_;
  MessageService& messages_;
  ShellWindowsSource shellWindows_;
  TWebPage workPage_;
  // The stored name the box was filled with.
  std::string shownName_;
  // The grid row (1 to 6) and column (0 to 7) of the cell marked by Cut; -1 while none is.
  int cutRow_ = -1;
  int cutCol_ = -1;
};

}  // namespace lintavo
