#pragma once

#include <functional>
#include <optional>
#include <string>

class QWidget;

namespace lintavo {

// The program's file and folder dialogs. Every one is shown through here, so that tests can
// answer them without a person.

// What a dialog asks for.
struct FileDialogRequest {
  enum class Kind { Folder };
  Kind kind;
  std::string title;
};

// Asks for a folder in a dialog captioned `title`; its full path, or nothing when the dialog was
// cancelled.
std::optional<std::string> ChooseFolder(QWidget* parent, const std::string& title);

// While it lives, every file and folder dialog goes to `answer` instead of being shown, and gets
// its answer back. Stand-ins nest; the previous one comes back when this one goes.
class ScopedFileDialogStandIn {
 public:
  using Answer = std::function<std::optional<std::string>(const FileDialogRequest& request)>;

  explicit ScopedFileDialogStandIn(Answer answer);
  ScopedFileDialogStandIn(const ScopedFileDialogStandIn&) = delete;
  ScopedFileDialogStandIn& operator=(const ScopedFileDialogStandIn&) = delete;
  ~ScopedFileDialogStandIn();

 private:
  friend std::optional<std::string> ChooseFolder(QWidget* parent, const std::string& title);

  Answer answer_;
  ScopedFileDialogStandIn* previous_;
};

}  // namespace lintavo
