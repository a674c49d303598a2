#pragma once

#include <Qt>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

class QDialog;
class QWidget;

namespace lintavo::test {

// Shows `window` and makes it the active window, where keys and shortcuts reach it as a person's
// do. False when it did not become active.
[[nodiscard]] bool Activate(QWidget& window);

// Presses and releases `key` where the focus is, as a person does.
void PressKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// The object name of the control with the focus; "(nothing)" while none has it.
std::string Focused();

// Where Alt+letter puts the focus, for each of `letters` pressed while `from` has the focus.
std::vector<std::string> FocusAfterMnemonics(QWidget& from, std::initializer_list<Qt::Key> letters);

// Runs `act`; the result `dialog` closed with meanwhile, or -1 while it stays open.
int ClosingResult(QDialog& dialog, const std::function<void()>& act);

}  // namespace lintavo::test
