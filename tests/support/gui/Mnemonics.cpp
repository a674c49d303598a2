#include "support/gui/Mnemonics.h"

#include <QAbstractButton>
#include <QKeySequence>
#include <QLabel>
#include <QTabBar>
#include <QWidget>
#include <map>

namespace lintavo::test {

std::vector<std::string> MnemonicProblems(const QWidget& window) {
  std::vector<std::string> problems;
  std::map<QString, std::string> owners;  // the Alt+letter, and the control that has it
  const auto claim = [&](const QString& letter, const std::string& name) {
    const auto [owner, first] = owners.emplace(letter, name);
    if (!first) {
      problems.push_back(name + ": " + letter.toStdString() + " is " + owner->second + "'s too");
    }
  };
  for (const QWidget* widget : window.findChildren<QWidget*>()) {
    if (!widget->isVisibleTo(&window)) {
      continue;
    }
    const std::string name = widget->objectName().toStdString();
    // Each tab of a tab bar is a control of its own, named by its caption.
    if (const auto* tabBar = qobject_cast<const QTabBar*>(widget)) {
      for (int tab = 0; tab < tabBar->count(); ++tab) {
        const QString caption = tabBar->tabText(tab);
        const QString letter = QKeySequence::mnemonic(caption).toString();
        if (letter.isEmpty()) {
          problems.push_back(name + ": no mnemonic in \"" + caption.toStdString() + "\"");
        } else {
          claim(letter, name + " \"" + caption.toStdString() + "\"");
        }
      }
      continue;
    }
    QString caption;
    bool needsOne = false;
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
      caption = button->text();
      needsOne = !caption.isEmpty();
    } else if (const auto* label = qobject_cast<const QLabel*>(widget)) {
      caption = label->text();
      needsOne = label->buddy() != nullptr;
      if (!needsOne && !QKeySequence::mnemonic(caption).isEmpty()) {
        problems.push_back(name + ": a mnemonic on a label that names no control");
      }
    } else {
      continue;
    }
    const QString letter = QKeySequence::mnemonic(caption).toString();
    if (letter.isEmpty()) {
      if (needsOne) {
        problems.push_back(name + ": no mnemonic in \"" + caption.toStdString() + "\"");
      }
      continue;
    }
    claim(letter, name);
  }
  return problems;
}

}  // namespace lintavo::test
