#include "skin/TypingLimit.h"

#include <QLineEdit>
#include <QTextBoundaryFinder>

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
  const qsizetype length = VisibleLength(edited);
  if (length <= maxLength_ || length <= VisibleLength(before_)) {
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
  const qsizetype insertedEnd = edited.size() - tail;
  const qsizetype tailLength = VisibleLength(QStringView(edited).sliced(insertedEnd));
  // What was put in is kept up to the last character that still fits, never part of one.
  qsizetype keptEnd = head;
  QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, edited.constData(), edited.size());
  qsizetype count = 0;
  for (qsizetype end = characters.toNextBoundary(); end != -1 && end <= insertedEnd;
       end = characters.toNextBoundary()) {
    ++count;
    if (count + tailLength > maxLength_) {
      break;
    }
    if (end >= head) {
      keptEnd = end;
    }
  }
  if (keptEnd == insertedEnd) {
    return;
  }
  QString limited = edited;
  limited.remove(keptEnd, insertedEnd - keptEnd);
  edit_.setText(limited);
  edit_.setCursorPosition(static_cast<int>(keptEnd));
}

qsizetype TypingLimit::VisibleLength(QStringView text) {
  QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, text.data(), text.size());
  qsizetype count = 0;
  while (characters.toNextBoundary() != -1) {
    ++count;
  }
  return count;
}

}  // namespace lintavo
