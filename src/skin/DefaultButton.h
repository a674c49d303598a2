#pragma once

class QDialog;
class QPushButton;

namespace lintavo {

// Makes `button` the one default button of `dialog`: Enter presses the push button that has the
// focus, and anywhere else `button`. No other button ever becomes the default. (Qt's own way to
// let a focused button take Enter, "auto-default", makes each button the default while it has
// the focus, and in a dialog without a default makes the first such button after the focused box
// the default, so that Enter in a text box would press whatever button follows it. Auto-default
// is turned off on every button of `dialog`, and a focused button takes Enter here instead.)
void UseDefaultButton(QDialog& dialog, QPushButton& button);

}  // namespace lintavo
