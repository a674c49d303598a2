#pragma once

#include <QMainWindow>
#include <memory>
#include <string>

class QLineEdit;
class QListWidget;
class QTabWidget;
class QTreeWidget;
class QUrl;

namespace lintavo::help {

class HelpBrowser;
class HelpFile;

// The help window: the contents and the index of a help file beside its pages, with back and
// forward. It belongs to no other window, so the program's windows stay usable beside it, and it
// does not keep the program running when they close. It works from the keyboard alone: Tab goes
// from the tabs to the contents (or the index's find box and list) and on into the page shown;
// Alt+letter reaches every tab, button and label; Escape and Ctrl+W close it.
class HelpWindow : public QMainWindow {
  Q_OBJECT

 public:
  HelpWindow();
  ~HelpWindow() override;

  // Shows the help file at `path` at its opening page, or, when it is missing or damaged, says so
  // in place of the page.
  void Open(const std::string& path);
  // The path last given to Open.
  const std::string& Path() const { return path_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowFailure();
  void FillContents();
  void FillIndex();
  void ShowLink(const QString& link);
  void FindInIndex(const QString& text);
  void FollowInContents(const QUrl& page);
  void GoToTab(int tab);

  std::string path_;
  std::unique_ptr<HelpFile> file_;
  HelpBrowser* page_;
  QTabWidget* tabs_;
  QTreeWidget* contents_;
  QLineEdit* indexFilter_;
  QListWidget* index_;
};

}  // namespace lintavo::help
