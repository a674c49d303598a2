#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "skin/FileDialogs.h"

namespace lintavo::test {

// Answers the file and folder dialogs without showing them: each dialog takes the next scripted
// answer (a path, or nothing for Cancel), and Cancel once the script runs out. Records what every
// dialog asked for.
class ScriptedFileDialogs {
 public:
  ScriptedFileDialogs()
      : standIn_([this](const FileDialogRequest& request) -> std::optional<std::string> {
          requests_.push_back(request);
          if (answers_.empty()) {
            return std::nullopt;
          }
          std::optional<std::string> answer = answers_.front();
          answers_.pop_front();
          return answer;
        }) {}

  void Then(std::optional<std::string> answer) { answers_.push_back(std::move(answer)); }

  const std::vector<FileDialogRequest>& Requests() const { return requests_; }

 private:
  std::deque<std::optional<std::string>> answers_;
  std::vector<FileDialogRequest> requests_;
  ScopedFileDialogStandIn standIn_;
};

}  // namespace lintavo::test
