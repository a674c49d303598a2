#include "skin/TypingLimit.h"

#include <QLabel>
#include <QLineEdit>
#include <QTextBoundaryFinder>
#include <algorithm>

namespace lintavo {

namespace {

// The room left is shown from this many characters down; with more, the box says nothing.
constexpr qsizetype kRoomShownBelow = 5;

}  // namespace

TypingLimit::TypingLimit(QLineEdit& edit, int maxLength, QLabel& roomLeft)
    : QObject(&edit),
      edit_(edit),
      maxLength_(maxLength),
      roomLeft_(roomLeft),
      before_(edit.text()) {
  // textEdited comes for a person's edits only, before textChanged, which comes for every change.
  // The box is asked for its text rather than the signal, which after Limit changed the text
  // still carries the text as the person left it.
  connect(&edit, &QLineEdit::textEdited, this, &TypingLimit::Limit);
  connect(&edit, &QLineEdit::textChanged, this, [this] {
    before_ = edit_.text();
    ShowRoomLeft();
  });
  ShowRoomLeft();
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

// A text the program put in may be longer than the limit: then no room is left.
void TypingLimit::ShowRoomLeft() {
  const qsizetype room = std::max<qsizetype>(maxLength_ - VisibleLength(edit_.text()), 0);
  QString said;
  if (room < kRoomShownBelow) {
    said = room == 1 ? QStringLiteral("1 character left")
                     : QStringLiteral("%1 characters left").arg(room);
  }
  roomLeft_.setText(said);
  edit_.setAccessibleDescription(said);
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
