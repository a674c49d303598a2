#include "help/engine/HelpWindow.h"

#include <QLineEdit>
#include <QListWidget>
#include <QSplitter>
#include <QTabWidget>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>
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

  contents_->setObjectName("helpContents");
  contents_->setHeaderHidden(true);
  index_->setObjectName("helpIndex");
  indexFilter_->setObjectName("helpIndexFilter");
  indexFilter_->setPlaceholderText("Type a word to find");
  auto* indexTab = new QWidget;
  auto* indexLayout = new QVBoxLayout(indexTab);
  indexLayout->setContentsMargins(0, 0, 0, 0);
  indexLayout->addWidget(indexFilter_);
  indexLayout->addWidget(index_);
  tabs_->addTab(contents_, "Contents");
  tabs_->addTab(indexTab, "Index");

  auto* splitter = new QSplitter;
  splitter->addWidget(tabs_);
  splitter->addWidget(page_);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({240, 660});
  setCentralWidget(splitter);

  QToolBar* toolBar = addToolBar("Navigation");
  toolBar->setMovable(false);
  QAction* back = toolBar->addAction("Back", page_, &QTextBrowser::backward);
  back->setObjectName("helpBack");
  back->setShortcut(QKeySequence::Back);
  back->setEnabled(false);
  QAction* forward = toolBar->addAction("Forward", page_, &QTextBrowser::forward);
  forward->setObjectName("helpForward");
  forward->setShortcut(QKeySequence::Forward);
  forward->setEnabled(false);
  QAction* home = toolBar->addAction("Home", page_, &QTextBrowser::home);
  home->setObjectName("helpHome");
  connect(page_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
  connect(page_, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);

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

void HelpWindow::FillIndex() {
  for (const SiteMapEntry& entry : file_->Index()) {
    auto* item = new QListWidgetItem(FromUtf8(entry.name), index_);
    item->setData(kLinkRole, FromUtf8(entry.local));
  }
  index_->sortItems();
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

}  // namespace lintavo::help
