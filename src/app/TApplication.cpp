#include "app/TApplication.h"

#include "skin/ErrorReporting.h"

namespace lintavo {

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TApplication::notify(QObject* receiver, QEvent* event) {
  bool handled = false;
  RunReportingFailures([&] { handled = QApplication::notify(receiver, event); });
  return handled;
}

}  // namespace lintavo
