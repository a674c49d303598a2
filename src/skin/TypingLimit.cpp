#include "skin/TypingLimit.h"

#include <QLineEdit>
#include <algorithm>

namespace lintavo {

TypingLimit::TypingLimit(QLineEdit& edit, int maxLength)
    : QObject(&edit), edit_(edit), maxLength_(maxLength), before_(edit.text()) {
  // textEdited comes for a person's edits only, before textChanged, which comes for every change.
  // The box is asked for its text rather than the signal, which after Limit changed the text
  // still carries the text as the person left it.
  connect(&edit, &QLineEdit::textEdited, this, &TypingLimit::Limit);
  connect(&edit, &QLineEdit::textChanged, this, [this] { before_ = edit_.text(); });
}

void TypingLimit::Limit(const QString& edited) {
  if (edited.size() <= maxLength_ || edited.size() <= before_.size()) {
    return;
  }
  // The edit replaced the middle of the text before it: what both share at the start and the
  // end stayed, and the rest of `edited` is what the person put in.
  qsizetype head = 0;
  while (head < before_.size() && head < edited.size() && before_[head] == edited[head]) {
    ++head;
  }
  qsizetype tail = 0;
  while (tail < before_.size() - head && tail < edited.size() - head &&
         before_[before_.size() - 1 - tail] == edited[edited.size() - 1 - tail]) {
    ++tail;
  }
  const qsizetype kept = head + tail;
  const qsizetype inserted = edited.size() - kept;
  const qsizetype room = std::max<qsizetype>(0, maxLength_ - kept);
  if (inserted <= room) {
    return;
  }
  QString limited = edited;
  limited.remove(head + room, inserted - room);
  edit_.setText(limited);
  edit_.setCursorPosition(static_cast<int>(head + room));
}

}  // namespace lintavo
