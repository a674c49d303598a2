#pragma once

#include <QApplication>

namespace lintavo {

// The application object. Whatever an event handler lets through is reported to the user
// (RunReportingFailures) and the event ends there, so the windows stay open and usable.
class TApplication : public QApplication {
 public:
  TApplication(int& argc, char** argv);

  bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace lintavo
