#include "skin/FileDialogs.h"

#include <QFileDialog>
#include <utility>

#include "skin/WidgetText.h"

namespace lintavo {

namespace {

ScopedFileDialogStandIn* currentStandIn = nullptr;

}  // namespace

ScopedFileDialogStandIn::ScopedFileDialogStandIn(Answer answer)
    : answer_(std::move(answer)), previous_(currentStandIn) {
  currentStandIn = this;
}

ScopedFileDialogStandIn::~ScopedFileDialogStandIn() {
  currentStandIn = previous_;
}

std::optional<std::string> ChooseFolder(QWidget* parent, const std::string& title) {
  if (currentStandIn != nullptr) {
    return currentStandIn->answer_({FileDialogRequest::Kind::Folder, title});
  }
  // Qt's own dialog, drawn with the program's skin, the same on every desktop.
  const QString folder = QFileDialog::getExistingDirectory(
      parent, ToWidgetText(title), QString(),
      QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
  if (folder.isEmpty()) {
    return std::nullopt;
  }
  return FromWidgetText(folder);
}

}  // namespace lintavo
