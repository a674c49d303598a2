#pragma once

#include <QImage>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/ScopedStandIn.h"

class QWidget;

namespace lintavo {

// The program's file and folder dialogs. Every one is shown through here, so that tests can
// answer them without a person.

// What a dialog asks for.
struct FileDialogRequest {
  enum class Kind { Folder, OpenFile };
  Kind kind = Kind::Folder;
  std::string title;
  // OpenFile: the one entry of the type list, as shown, and the file name patterns it stands for.
  std::string filterText;
  std::vector<std::string> patterns;
  // The folder it starts in; empty for the dialog's own choice.
  std::string initialFolder;
};

// The picture a preview pane shows for a file: the file's picture at its own size, or a null image
// when it cannot be shown.
using FilePreview = std::function<QImage(const std::string& path)>;

// Asks for a folder in a dialog captioned `title`; its full path, or nothing when the dialog was
// cancelled.
std::optional<std::string> ChooseFolder(QWidget* parent, const std::string& title);

// Asks for one existing file to open, with a pane beside the list of files that shows
// `preview` of the highlighted file, scrollable; its full path, or nothing when cancelled.
std::optional<std::string> ChooseFileToOpen(QWidget* parent, const FileDialogRequest& request,
                                            const FilePreview& preview);

// While one lives, every file and folder dialog goes to its function instead of being shown, and
// gets the function's answer back.
struct FileDialogStandInKind;
using FileDialogAnswer =
    std::function<std::optional<std::string>(const FileDialogRequest& request)>;
using ScopedFileDialogStandIn = base::ScopedStandIn<FileDialogStandInKind, FileDialogAnswer>;

}  // namespace lintavo
