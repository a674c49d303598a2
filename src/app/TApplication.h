#pragma once

#include <QApplication>
#include <functional>

#include "base/ScopedStandIn.h"

class QKeyEvent;
class QWidget;

namespace lintavo {

// The application object. Whatever an event handler lets through is reported to the user
// (RunReportingFailures) and the event ends there, so the windows stay open and usable.
//
// It also keeps two keys the same in every window of the program, message boxes and the file
// dialogs included, before any window sees them:
// - Enter presses the focused push button. Qt presses it only when the button is auto-default,
//   and in a dialog it then makes the first auto-default button after a focused box the default;
//   the program's buttons are not auto-default, so that only a designed default button is one.
// - F1 runs the help command that a ScopedHelpKey set (the main window's Help).
class TApplication : public QApplication {
 public:
  TApplication(int& argc, char** argv);

  bool notify(QObject* receiver, QEvent* event) override;

 private:
  // True when `key`, sent to `receiver`, is one of the keys above and has been answered.
  static bool AnswerProgramKey(QWidget& receiver, const QKeyEvent& key);
};

// While one lives, F1 in any window of the program runs its command; what it throws is reported
// like any handler's failure.
struct HelpKeyKind;
using HelpCommand = std::function<void()>;
using ScopedHelpKey = base::ScopedStandIn<HelpKeyKind, HelpCommand>;

}  // namespace lintavo
