#pragma once

#include <QDialog>
#include <memory>

#include "skin/MessageService.h"

namespace Ui {
class TfrmAbout;
}

namespace lintavo {

// The about box: the product, its version, the maker's copyright line and the vendor's web site,
// which opens in the browser when its address is clicked, or pressed with Enter or Space once Tab
// has reached it. With no browser, an information box in `messages` gives the address.
class TfrmAbout : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmAbout(MessageService& messages, QWidget* parent = nullptr);
  ~TfrmAbout() override;

 protected:
  // Turns mouse events on the address label into its click and double click, and Enter or Space
  // on it into a click.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void editAboutClick();
  // Each opens the vendor's web site, so a double click opens it twice: once for its first click
  // and once for the double click.
  void lblWebsiteClick();
  void lblWebsiteDblClick();

  void FormCreate();

  std::unique_ptr<Ui::TfrmAbout> ui_;
  MessageService& messages_;
  bool websitePressed_ = false;  // a press on the address that a release may complete to a click
};

}  // namespace lintavo
