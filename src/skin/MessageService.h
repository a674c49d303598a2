#pragma once

#include <string>

namespace lintavo {

enum class MessageKind { Information, Confirmation };  // captioned "Information" / "Confirm"

// The buttons of a box, and the one Enter presses. Escape is Cancel where there is one.
enum class MessageButtons {
  Ok,
  OkCancel,  // OK is the default
  // Cancel is the default: for a question whose OK throws the person's work away, so that a
  // hurried Enter keeps it.
  OkCancelDefaultCancel,
};

inline constexpr int kMessageResultOk = 1;
inline constexpr int kMessageResultCancel = 2;

// The message box service every window uses (bsSkinMessage1): shows `text`, which may hold line
// breaks, modally and returns kMessageResultOk or kMessageResultCancel. Tests substitute a
// scripted one that records the texts and gives the answers.
class MessageService {
 public:
  virtual ~MessageService() = default;
  virtual int MessageDlg(const std::string& text, MessageKind kind, MessageButtons buttons) = 0;
};

}  // namespace lintavo
