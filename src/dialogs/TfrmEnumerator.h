#pragma once

#include <QDialog>
#include <functional>
#include <memory>

#include "browsers/ShellWindows.h"
#include "skin/MessageService.h"

namespace Ui {
class TfrmEnumerator;
}

namespace lintavo {

// Takes the snapshot of the open windows that the picker lists.
using ShellWindowsSource = std::function<browsers::ShellWindows()>;

// The browser location picker, "Insert browser location": lists the locations of the web pages
// open in the browsers now, so that one can become a link's target. The list is filled once, as
// the picker is made, with at most 10,000 locations; it closes with kModalResultOk only through
// Save with an entry selected.
class TfrmEnumerator : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmEnumerator(MessageService& messages,
                          ShellWindowsSource shellWindows = browsers::ShellWindows::Snapshot,
                          QWidget* parent = nullptr);
  ~TfrmEnumerator() override;

  // The number of locations listed.
  int LocationCount() const;
  // The selected location's text; empty when none is selected.
  std::string SelectedLocation() const;

  void reject() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void btnSaveClick();

  void FormCreate();
  void FillBrowserList();

  std::unique_ptr<Ui::TfrmEnumerator> ui_;
  MessageService& messages_;
  ShellWindowsSource shellWindows_;
  int locationCount_ = 0;
};

}  // namespace lintavo
