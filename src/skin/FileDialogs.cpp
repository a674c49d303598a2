#include "skin/FileDialogs.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QLabel>
#include <QPixmap>
#include <QScrollArea>
#include <utility>

#include "skin/ModalDialogs.h"
#include "skin/WidgetText.h"

namespace lintavo {

namespace {

// Room the preview pane takes beside the list of files, and room for both at first.
constexpr int kPreviewPaneWidth = 260;
constexpr QSize kOpenDialogSize(860, 480);

// Qt reads a type entry's patterns from its parentheses, split at spaces; the program's entries
// separate theirs with commas and semicolons, so the patterns are given to the file list directly.
void UseTypeEntry(QFileDialog& dialog, const FileDialogRequest& request) {
  dialog.setNameFilter(ToWidgetText(request.filterText));
  QStringList patterns;
  for (const std::string& pattern : request.patterns) {
    patterns.push_back(ToWidgetText(pattern));
  }
  if (auto* files = qobject_cast<QFileSystemModel*>(dialog.findChild<QFileSystemModel*>())) {
    files->setNameFilters(patterns);
  }
}

// A scrollable pane beside the list of files that shows the highlighted file at its own size.
void AddPreviewPane(QFileDialog& dialog, const FilePreview& preview) {
  auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
  if (grid == nullptr) {
    return;
  }
  auto* pane = new QScrollArea(&dialog);
  pane->setObjectName("previewPane");
  pane->setMinimumWidth(kPreviewPaneWidth);
  pane->setAlignment(Qt::AlignCenter);
  auto* picture = new QLabel(pane);
  pane->setWidget(picture);
  grid->addWidget(pane, 0, grid->columnCount(), grid->rowCount(), 1);
  QObject::connect(&dialog, &QFileDialog::currentChanged, picture,
                   [picture, preview](const QString& path) {
                     const QImage image = preview(FromWidgetText(path));
                     picture->setPixmap(QPixmap::fromImage(image));
                     picture->resize(image.size());
                   });
}

// Shows `dialog` as every modal dialog is shown (ShowModal); what it chose, or nothing when it was
// cancelled.
std::optional<std::string> ChosenPath(QFileDialog& dialog) {
  if (ShowModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
    return std::nullopt;
  }
  return FromWidgetText(dialog.selectedFiles().front());
}

}  // namespace

std::optional<std::string> ChooseFolder(QWidget* parent, const std::string& title) {
  if (const FileDialogAnswer* answer = ScopedFileDialogStandIn::Current()) {
    return (*answer)({FileDialogRequest::Kind::Folder, title, {}, {}, {}});
  }
  // Qt's own dialog, drawn with the program's skin, the same on every desktop.
  QFileDialog dialog(parent, ToWidgetText(title));
  dialog.setOptions(QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
  dialog.setFileMode(QFileDialog::Directory);
  return ChosenPath(dialog);
}

std::optional<std::string> ChooseFileToOpen(QWidget* parent, const FileDialogRequest& request,
                                            const FilePreview& preview) {
  if (const FileDialogAnswer* answer = ScopedFileDialogStandIn::Current()) {
    return (*answer)(request);
  }
  QFileDialog dialog(parent, ToWidgetText(request.title), ToWidgetText(request.initialFolder));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  UseTypeEntry(dialog, request);
  AddPreviewPane(dialog, preview);
  dialog.resize(kOpenDialogSize);
  return ChosenPath(dialog);
}

}  // namespace lintavo
