#pragma once

class QDialog;

namespace lintavo {

// Gives a dialog of fixed size the frame its design asks for: a dialog border with a caption and
// no title-bar buttons (it closes through its own buttons), placed in the middle of the screen
// its parent is on, or of the primary screen.
void UseFixedDialogFrame(QDialog& dialog);

// The same for a dialog that the person may resize; with `closeButton` its title bar has the
// button that closes it (as Cancel does), otherwise none.
void UseResizableDialogFrame(QDialog& dialog, bool closeButton);

}  // namespace lintavo
