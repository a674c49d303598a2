#pragma once

class QDialog;

namespace lintavo {

// Gives a dialog of fixed size the frame its design asks for: a dialog border with a caption and
// no title-bar buttons (it closes through its own buttons), placed in the middle of the screen
// its parent is on, or of the primary screen.
void UseFixedDialogFrame(QDialog& dialog);

}  // namespace lintavo
