#include "skin/ErrorReporting.h"

#include <exception>
#include <utility>

#include "skin/ErrorBox.h"

namespace lintavo {

void ReportError(const std::string& message) {
  if (const ErrorReporter* reporter = ScopedErrorReporter::Current()) {
    (*reporter)(message);
  } else {
    ShowErrorBox(message);
  }
}

bool RunReportingFailures(const std::function<void()>& action) {
  // The message is taken inside the handler and shown after it, so that the error box's own
  // event loop does not run while the exception is still being handled.
  std::string message;
  try {
    action();
    return true;
  } catch (const std::exception& error) {
    // Failure is a std::exception whose text is the exact message for the user.
    message = error.what();
  } catch (...) {
  }
  ReportError(message.empty() ? std::string(kUnexpectedErrorText) : message);
  return false;
}

}  // namespace lintavo
