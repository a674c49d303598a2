#pragma once

#include <QObject>
#include <functional>
#include <string>

#include "base/ScopedStandIn.h"

namespace lintavo {

// The program's general error handling: an error that ends a command, a dialog's preparation or
// a start-up step is shown to the user, and the program goes on with its windows open.

// Runs `action`. Whatever it throws ends it and is reported: a Failure or another standard
// exception with its own text, anything else with a general one. True when `action` ran to its
// end.
bool RunReportingFailures(const std::function<void()>& action);

// Connects `signal` of `sender` to the handler `handler` of `receiver` so that whatever the
// handler throws is reported right there (RunReportingFailures) and never unwinds through Qt's
// code, which is not built to let exceptions pass: objects in its frames would be left behind
// half-made. Arguments of the signal are not passed on.
template <typename Sender, typename Signal, typename Receiver>
QMetaObject::Connection ConnectReportingFailures(Sender* sender, Signal signal, Receiver* receiver,
                                                 void (Receiver::*handler)()) {
  return QObject::connect(sender, signal, receiver, [receiver, handler] {
    RunReportingFailures([receiver, handler] { (receiver->*handler)(); });
  });
}

// Shows `message` through the current reporter: an error box, unless a ScopedErrorReporter has
// replaced it.
void ReportError(const std::string& message);

// While one lives, errors go to its function instead of the error box (tests record them with it).
struct ErrorReporterKind;
using ErrorReporter = std::function<void(const std::string& message)>;
using ScopedErrorReporter = base::ScopedStandIn<ErrorReporterKind, ErrorReporter>;

// The text shown for a thrown object that carries no message of its own.
inline constexpr const char* kUnexpectedErrorText =
    "An unexpected error occurred. The last action may not have been completed.";

}  // namespace lintavo
