#pragma once

#include <QObject>
#include <QString>
#include <QStringView>

class QLabel;
class QLineEdit;

namespace lintavo {

// Limits what a person types or pastes into an edit box to `maxLength` characters, as an edit
// box's own limit does on Windows, while text that the program puts in is shown and kept whole,
// however long: typing into a box that is full already adds nothing, deleting is always allowed,
// and a paste is cut to the room that is left. (Qt's own maximum length cuts the program's text
// too, and a validator sees the program's text as well as the person's.) A character is what the
// person sees as one: a letter with its accents, an emoji made of several code points; a paste is
// never cut inside one.
//
// A box near its limit says so, so that typing does not stop without a sign: while fewer than
// five characters are left, `roomLeft` shows how many ("3 characters left"), and the box carries
// the same text as its accessible description, which a screen reader reads with it.
class TypingLimit : public QObject {
 public:
  TypingLimit(QLineEdit& edit, int maxLength, QLabel& roomLeft);

 private:
  // After a person's edit: cuts what it inserted down to the room the limit leaves.
  void Limit(const QString& edited);
  // After every change: says how much room is left, once little is.
  void ShowRoomLeft();
  // The number of characters a person sees in `text`.
  static qsizetype VisibleLength(QStringView text);

  QLineEdit& edit_;
  int maxLength_;
  QLabel& roomLeft_;
  QString before_;  // the text before the current edit
};

}  // namespace lintavo
