#include "help/engine/HelpWindow.h"

#include <QAction>
#include <QCollator>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QShortcutEvent>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>
#include <vector>

#include "help/engine/HelpBrowser.h"
#include "help/engine/HelpFile.h"

namespace lintavo::help {

namespace {

constexpr const char* kUntitled = "Help";
constexpr int kLinkRole = Qt::UserRole;

QString FromUtf8(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

HelpWindow::HelpWindow()
    : page_(new HelpBrowser),
      tabs_(new QTabWidget),
      contents_(new QTreeWidget),
      indexFilter_(new QLineEdit),
      index_(new QListWidget) {
  setObjectName("HelpWindow");
  // Closing the program's last window ends the program even while the help is open.
  setAttribute(Qt::WA_QuitOnClose, false);
  setAttribute(Qt::WA_DeleteOnClose);

  tabs_->setObjectName("helpTabs");
  contents_->setObjectName("helpContents");
  contents_->setHeaderHidden(true);
  index_->setObjectName("helpIndex");
  indexFilter_->setObjectName("helpIndexFilter");
  auto* indexFilterLabel = new QLabel("Type in the &keyword to find:");
  indexFilterLabel->setObjectName("helpIndexFilterLabel");
  indexFilterLabel->setBuddy(indexFilter_);
  auto* indexTab = new QWidget;
  auto* indexLayout = new QVBoxLayout(indexTab);
  indexLayout->setContentsMargins(0, 0, 0, 0);
  indexLayout->addWidget(indexFilterLabel);
  indexLayout->addWidget(indexFilter_);
  indexLayout->addWidget(index_);
  tabs_->addTab(contents_, "&Contents");
  tabs_->addTab(indexTab, "&Index");
  tabs_->tabBar()->installEventFilter(this);

  auto* splitter = new QSplitter;
  splitter->addWidget(tabs_);
  splitter->addWidget(page_);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({240, 660});
  setCentralWidget(splitter);

  // The buttons show their Alt+letter through their icon text, which keeps the "&".
  QToolBar* toolBar = addToolBar("Navigation");
  toolBar->setMovable(false);
  QAction* back = toolBar->addAction("Back", page_, &QTextBrowser::backward);
  back->setObjectName("helpBack");
  back->setIconText("&Back");
  back->setShortcut(QKeySequence::Back);
  back->setEnabled(false);
  QAction* forward = toolBar->addAction("Forward", page_, &QTextBrowser::forward);
  forward->setObjectName("helpForward");
  forward->setIconText("&Forward");
  forward->setShortcut(QKeySequence::Forward);
  forward->setEnabled(false);
  QAction* home = toolBar->addAction("Home", page_, &QTextBrowser::home);
  home->setObjectName("helpHome");
  home->setIconText("&Home");
  connect(page_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
  connect(page_, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);

  auto* close = new QAction("Close", this);
  close->setObjectName("helpClose");
  QList<QKeySequence> closeKeys = QKeySequence::keyBindings(QKeySequence::Close);
  closeKeys.prepend(QKeySequence(Qt::Key_Escape));
  close->setShortcuts(closeKeys);
  connect(close, &QAction::triggered, this, &QWidget::close);
  addAction(close);

  // Tab goes from left to right as the parts were placed: the tabs, what the tab shown holds, the
  // page. The reader starts in the contents.
  contents_->setFocus();

  connect(contents_, &QTreeWidget::itemClicked, this,
          [this](QTreeWidgetItem* item) { ShowLink(item->data(0, kLinkRole).toString()); });
  connect(contents_, &QTreeWidget::itemActivated, this,
          [this](QTreeWidgetItem* item) { ShowLink(item->data(0, kLinkRole).toString()); });
  connect(index_, &QListWidget::itemActivated, this,
          [this](QListWidgetItem* item) { ShowLink(item->data(kLinkRole).toString()); });
  connect(index_, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { ShowLink(item->data(kLinkRole).toString()); });
  connect(indexFilter_, &QLineEdit::textEdited, this, &HelpWindow::FindInIndex);
  connect(indexFilter_, &QLineEdit::returnPressed, this, [this] {
    if (QListWidgetItem* item = index_->currentItem()) {
      ShowLink(item->data(kLinkRole).toString());
    }
  });
  connect(page_, &QTextBrowser::sourceChanged, this, &HelpWindow::FollowInContents);

  resize(900, 640);
}

HelpWindow::~HelpWindow() = default;

void HelpWindow::Open(const std::string& path) {
  path_ = path;
  page_->SetHelpFile(nullptr);
  file_ = HelpFile::Open(path);
  page_->SetHelpFile(file_.get());
  contents_->clear();
  index_->clear();
  page_->clearHistory();
  if (!file_) {
    ShowFailure();
    return;
  }
  setWindowTitle(file_->Title().empty() ? kUntitled : FromUtf8(file_->Title()));
  tabs_->setEnabled(true);
  FillContents();
  FillIndex();
  page_->setSource(HelpBrowser::PageUrl(file_->DefaultTopic()));
}

void HelpWindow::ShowFailure() {
  setWindowTitle(kUntitled);
  tabs_->setEnabled(false);
  page_->setFocus();
  page_->setHtml(
      "<h2>The help cannot be shown</h2>"
      "<p>The help file<br><b>" +
      FromUtf8(path_).toHtmlEscaped() +
      "</b><br>is missing or damaged.</p>"
      "<p>Installing Lintavo again puts the help file back.</p>");
}

void HelpWindow::FillContents() {
  // The items that the entries of each level go under; a level deeper than the one before it by
  // more than one goes under the deepest there is.
  std::vector<QTreeWidgetItem*> parents;
  for (const SiteMapEntry& entry : file_->Contents()) {
    const std::size_t level =
        std::min(static_cast<std::size_t>(std::max(entry.level, 0)), parents.size());
    parents.resize(level);
    auto* item =
        parents.empty() ? new QTreeWidgetItem(contents_) : new QTreeWidgetItem(parents.back());
    item->setText(0, FromUtf8(entry.name));
    item->setData(0, kLinkRole, FromUtf8(entry.local));
    parents.push_back(item);
  }
  contents_->expandAll();
}

// An index reads in the order of the reader's language, capitals or not: "background" stands
// beside "Background dialog". Entries that compare equal keep the file's order.
void HelpWindow::FillIndex() {
  std::vector<std::pair<QString, QString>> entries;  // name, link
  for (const SiteMapEntry& entry : file_->Index()) {
    entries.emplace_back(FromUtf8(entry.name), FromUtf8(entry.local));
  }
  QCollator collator;
  collator.setCaseSensitivity(Qt::CaseInsensitive);
  std::stable_sort(entries.begin(), entries.end(), [&collator](const auto& one, const auto& other) {
    return collator.compare(one.first, other.first) < 0;
  });
  for (const auto& [name, link] : entries) {
    auto* item = new QListWidgetItem(name, index_);
    item->setData(kLinkRole, link);
  }
}

void HelpWindow::ShowLink(const QString& link) {
  if (!link.isEmpty()) {
    page_->setSource(HelpBrowser::PageUrl(link.toStdString()));
  }
}

// Selects the first index entry that begins with the text typed.
void HelpWindow::FindInIndex(const QString& text) {
  for (int row = 0; row < index_->count(); ++row) {
    if (index_->item(row)->text().startsWith(text, Qt::CaseInsensitive)) {
      index_->setCurrentRow(row);
      index_->scrollToItem(index_->item(row), QAbstractItemView::PositionAtTop);
      return;
    }
  }
}

// Selects and reveals the contents entry of the page shown, however it was reached: the entry that
// names the page and its place in it, else the first that names the page. A page the contents do
// not name leaves no entry selected.
void HelpWindow::FollowInContents(const QUrl& page) {
  const QUrl pageOnly = page.adjusted(QUrl::RemoveFragment);
  QTreeWidgetItem* samePage = nullptr;
  for (QTreeWidgetItemIterator it(contents_); *it != nullptr; ++it) {
    const QString link = (*it)->data(0, kLinkRole).toString();
    if (link.isEmpty()) {
      continue;
    }
    const QUrl entry = HelpBrowser::PageUrl(link.toStdString());
    if (entry == page) {
      samePage = *it;
      break;
    }
    if (samePage == nullptr && entry.adjusted(QUrl::RemoveFragment) == pageOnly) {
      samePage = *it;
    }
  }
  if (samePage == nullptr) {
    contents_->setCurrentItem(nullptr);
    contents_->clearSelection();
    return;
  }
  contents_->setCurrentItem(samePage);
  contents_->scrollToItem(samePage);
}

// Alt and a tab's letter shows that tab and goes into it, to the contents or the index's find box,
// wherever the focus was; the tab bar alone would only switch tabs.
bool HelpWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == tabs_->tabBar() && event->type() == QEvent::Shortcut) {
    const QKeySequence& key = static_cast<QShortcutEvent*>(event)->key();
    for (int tab = 0; tab < tabs_->count(); ++tab) {
      if (QKeySequence::mnemonic(tabs_->tabText(tab)) == key) {
        GoToTab(tab);
        return true;
      }
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void HelpWindow::GoToTab(int tab) {
  tabs_->setCurrentIndex(tab);
  if (tabs_->currentWidget() == contents_) {
    contents_->setFocus(Qt::ShortcutFocusReason);
  } else {
    indexFilter_->setFocus(Qt::ShortcutFocusReason);
  }
}

}  // namespace lintavo::help
