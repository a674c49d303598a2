#pragma once

#include <QDialog>
#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "skin/ModalDialogs.h"

namespace lintavo::test {

// Answers the dialogs that ShowModal shows, without showing them: each dialog goes to the next
// scripted answer, or is rejected once the script runs out. Records the class of every dialog.
class ScriptedModals {
 public:
  using Answer = ModalAnswer;

  ScriptedModals()
      : standIn_([this](QDialog& dialog) {
          shown_.emplace_back(dialog.metaObject()->className());
          if (answers_.empty()) {
            return static_cast<int>(QDialog::Rejected);
          }
          const Answer answer = std::move(answers_.front());
          answers_.pop_front();
          return answer(dialog);
        }) {}

  // The next dialog runs `answer`, which may work the dialog and returns its result.
  void Then(Answer answer) { answers_.push_back(std::move(answer)); }
  // The next dialog closes with `result` untouched.
  void ThenResult(int result) {
    Then([result](QDialog&) { return result; });
  }

  // The class names of the dialogs shown so far, in order ("lintavo::TfrmAbout").
  const std::vector<std::string>& Shown() const { return shown_; }

 private:
  std::deque<Answer> answers_;
  std::vector<std::string> shown_;
  ScopedModalStandIn standIn_;
};

}  // namespace lintavo::test
