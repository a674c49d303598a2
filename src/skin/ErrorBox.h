#pragma once

#include <string>

namespace lintavo {

// Shows an error that ended a command or a start-up step: a modal box over the active window,
// captioned "Error" with the critical icon and one OK button.
void ShowErrorBox(const std::string& text);

}  // namespace lintavo
