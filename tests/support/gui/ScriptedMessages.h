#pragma once

#include <deque>
#include <string>
#include <vector>

#include "skin/MessageService.h"

namespace lintavo::test {

// A message box service that shows nothing: it records every message and answers from a script,
// OK once the script runs out.
class ScriptedMessages : public MessageService {
 public:
  struct Shown {
    std::string text;
    MessageKind kind;
    MessageButtons buttons;
  };

  void Answer(int result) { answers_.push_back(result); }

  int MessageDlg(const std::string& text, MessageKind kind, MessageButtons buttons) override {
    shown_.push_back({text, kind, buttons});
    if (answers_.empty()) {
      return kMessageResultOk;
    }
    const int answer = answers_.front();
    answers_.pop_front();
    return answer;
  }

  const std::vector<Shown>& Messages() const { return shown_; }

 private:
  std::deque<int> answers_;
  std::vector<Shown> shown_;
};

}  // namespace lintavo::test
