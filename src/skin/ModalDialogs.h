#pragma once

#include <functional>

#include "base/ScopedStandIn.h"

class QDialog;

namespace lintavo {

// Results of the dialogs that report how they closed (page settings, link editor, location
// picker): OK only after a successful Save, Cancel in every other way.
inline constexpr int kModalResultOk = 1;
inline constexpr int kModalResultCancel = 2;

// Shows `dialog` modally and returns the result it closed with: it blocks the window it was opened
// from and that window's own openers, and no other window (the help stays usable). Every modal
// dialog of the program is shown through here, so that tests can answer dialogs without a person.
int ShowModal(QDialog& dialog);

// While one lives, ShowModal hands every dialog to its function instead of showing it, and
// returns what the function returns.
struct ModalStandInKind;
using ModalAnswer = std::function<int(QDialog& dialog)>;
using ScopedModalStandIn = base::ScopedStandIn<ModalStandInKind, ModalAnswer>;

}  // namespace lintavo
