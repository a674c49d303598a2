#pragma once

#include <QDialog>
#include <memory>
#include <string>

#include "dialogs/TfrmEnumerator.h"
#include "skin/MessageService.h"

namespace Ui {
class TfrmEditLink;
}

namespace lintavo {

// The link editor, "Edit Link": a link's two caption lines and its target, with two ways to fill
// the target, from an open browser page or from a folder. It closes with kModalResultOk only
// through Save, once the link passes its checks; it never touches a page itself.
class TfrmEditLink : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmEditLink(MessageService& messages,
                        ShellWindowsSource shellWindows = browsers::ShellWindows::Snapshot,
                        QWidget* parent = nullptr);
  ~TfrmEditLink() override;

  // The texts of the three boxes, as the program sets them (whole, however long) and as the
  // person left them (untrimmed); a text the person left as it was set comes back byte for byte.
  void SetLink(const std::string& line1, const std::string& line2, const std::string& target);
  std::string Line1() const;
  std::string Line2() const;
  std::string Target() const;

  void reject() override;

 private:
  void btnSaveClick();
  void btnClearClick();
  void btnSelectFolderClick();
  void btnInsertBrowserLocationClick();

  std::unique_ptr<Ui::TfrmEditLink> ui_;
  MessageService& messages_;
  ShellWindowsSource shellWindows_;
  // The texts SetLink filled the boxes with.
  std::string shownLine1_;
  std::string shownLine2_;
  std::string shownTarget_;
};

}  // namespace lintavo
