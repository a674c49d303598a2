#pragma once

#include <string>
#include <vector>

class QWidget;

namespace lintavo::test {

// What keeps Alt+letter from reaching every control of `window` that the person can see: a
// button or check box with a caption and no mnemonic, a tab with none, a label that names a
// control (it has a buddy) with none, a label with a mnemonic that names no control, and a letter
// that two controls share. Empty when every control has a letter of its own.
std::vector<std::string> MnemonicProblems(const QWidget& window);

}  // namespace lintavo::test
