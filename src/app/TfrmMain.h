#pragma once

#include <QWidget>
#include <memory>
#include <string>

#include "app/MainWindowDialogs.h"
#include "app/TApplication.h"
#include "pages/WebManager.h"
#include "skin/MessageService.h"

namespace Ui {
class TfrmMain;
}

namespace lintavo {

class ProfileFile;

// The program's only top-level window: it finishes start-up, owns the page store for the whole
// run, lists the ten pages and carries one button per command. Every other window is a modal
// dialog that one of its commands creates, shows and destroys.
class TfrmMain : public QWidget {
  Q_OBJECT

 public:
  // List position meaning that no page is selected.
  static constexpr int kNoPage = -1;

  // Runs start-up (FormCreate) at once. `programFolder` ends in a path delimiter; the installed
  // data files lie there. `messages` (bsSkinMessage1) must outlive the window. While the window
  // lives, F1 opens the help from every window of the program, as Help does.
  TfrmMain(std::string programFolder, MessageService& messages,
           MainWindowDialogs dialogs = InstalledDialogs(), QWidget* parent = nullptr);
  ~TfrmMain() override;

  // What the dialogs reach through the main window.
  int SelectedPosition() const;  // 0 to 9, or kNoPage
  // Throws Failure when start-up could not create the page store.
  TWebManager& WebManager();
  const std::string& ConfigFile() const { return configFile_; }
  MessageService& bsSkinMessage1() { return messages_; }

 private:
  void FormCreate();
  void FillPageList();
  void SelectLastPage(ProfileFile& settings);

  void cbxWebPagesChange();
  // The change handler's work on the settings file already loaded.
  void StoreSelectedPosition(ProfileFile& settings);
  void btnEditLinksClick();
  void btnEditBackgroundClick();
  void btnViewClick();
  void btnSetHomePageClick();
  void bsSkinButton1Click();
  void editAboutClick();
  void btnHelpClick();
  void btnCloseClick();
  void imgLogoClick();
  void bsSkinButton2Click();

  // Creates, shows and destroys the dialog of a command; an empty factory shows a message
  // instead. Returns the dialog's result (kModalResultCancel when none was shown).
  int ShowCommandDialog(const DialogFactory& createDialog);

  std::unique_ptr<Ui::TfrmMain> ui_;
  std::string programFolder_;
  MessageService& messages_;
  MainWindowDialogs dialogs_;
  std::string configFile_;
  std::unique_ptr<TWebManager> webManager_;
  ScopedHelpKey helpKey_;
};

}  // namespace lintavo
