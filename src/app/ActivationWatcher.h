#pragma once

#include <QObject>
#include <functional>

class QWidget;

namespace lintavo {

// Restores a minimised window and brings it to the front, active.
void BringToFront(QWidget& window);

// Brings the main window to the front whenever a refused second start asks for it: the instance
// guard's request channel becomes readable, `takeRequest` consumes what arrived and says whether
// it was such a request. A descriptor of -1 (a system that activates the window itself) watches
// nothing.
class ActivationWatcher : public QObject {
 public:
  ActivationWatcher(int requestDescriptor, std::function<bool()> takeRequest, QWidget& window);

 private:
  void RequestArrived();

  std::function<bool()> takeRequest_;
  QWidget& window_;
};

}  // namespace lintavo
