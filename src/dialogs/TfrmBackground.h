#pragma once

#include <QDialog>
#include <memory>
#include <string>

#include "pages/WebManager.h"

namespace Ui {
class TfrmBackground;
}

namespace lintavo {

// The background picture dialog, "Select background picture": shows the page's background and
// lets the person pick a JPEG, GIF, BMP, TIFF or PNG picture, or one of the two stock pictures
// beside the program. Save stores the choice as the page's background bitmap; a stock picture
// chosen with its button also gives the page the colours that suit it and rewrites all pages.
class TfrmBackground : public QDialog {
  Q_OBJECT

 public:
  // Works on the page at list position `position` (0 to 9) of `webManager`; `configFile` holds
  // the folder of the last picture picked.
  TfrmBackground(TWebManager& webManager, int position, std::string configFile,
                 QWidget* parent = nullptr);
  ~TfrmBackground() override;

  bool BlackChosen() const { return blackChosen_; }
  bool WhiteChosen() const { return whiteChosen_; }
  // The picture Save stores: the file picked last, or a stock picture; empty at first.
  const std::string& ChosenFile() const { return chosenFile_; }

  void reject() override;

 private:
  void edtChangeBgClick();
  void btnResetClick();
  void bsSkinButton3Click();
  void bsSkinButton1Click();

  void FormCreate();
  std::string GetLastBackgroundFolder() const;
  void SetLastBackgroundFolder(const std::string& folder) const;
  void StoreAsBitmap(const std::string& source, const std::string& target) const;

  std::string BackgroundFile() const;
  // Chooses a stock picture by its button: nothing when the picture is missing.
  void ChooseStockPicture(const char* fileName, bool& chosenFlag);
  // Shows the picture of `path` in the preview, scaled to fit; throws Failure when it cannot.
  void ShowPreview(const std::string& path);
  void ClearPreview();

  std::unique_ptr<Ui::TfrmBackground> ui_;
  TWebManager& webManager_;
  int position_;
  std::string configFile_;
  bool blackChosen_ = false;
  bool whiteChosen_ = false;
  std::string chosenFile_;
};

}  // namespace lintavo
