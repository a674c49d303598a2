#pragma once

#include <functional>

class QDialog;

namespace lintavo {

// Results of the dialogs that report how they closed (page settings, link editor, location
// picker): OK only after a successful Save, Cancel in every other way.
inline constexpr int kModalResultOk = 1;
inline constexpr int kModalResultCancel = 2;

// Shows `dialog` modally and returns the result it closed with: it blocks the window it was opened
// from and that window's own openers, and no other window (the help stays usable). Every modal
// dialog of the program is shown through here, so that tests can answer dialogs without a person.
int ShowModal(QDialog& dialog);

// While it lives, ShowModal hands every dialog to `answer` instead of showing it, and returns what
// `answer` returns. Stand-ins nest; the previous one comes back when this one goes.
class ScopedModalStandIn {
 public:
  using Answer = std::function<int(QDialog& dialog)>;

  explicit ScopedModalStandIn(Answer answer);
  ScopedModalStandIn(const ScopedModalStandIn&) = delete;
  ScopedModalStandIn& operator=(const ScopedModalStandIn&) = delete;
  ~ScopedModalStandIn();

 private:
  friend int ShowModal(QDialog& dialog);

  Answer answer_;
  ScopedModalStandIn* previous_;
};

}  // namespace lintavo
