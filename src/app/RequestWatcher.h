#pragma once

#include <QObject>
#include <functional>

#include "os/WaitHandle.h"

class QWidget;

namespace lintavo {

// Restores a minimised window and brings it to the front, active.
void BringToFront(QWidget& window);

// Answers requests that another process or the system sends to the running program (a refused
// second start's "come to the front", the system's "end now") on the main thread: whenever
// `requestHandle` becomes readable, `takeRequest` consumes what arrived and says whether it
// was a request, and then `onRequest` runs. os::kNoWaitHandle (a system that delivers such
// requests itself) watches nothing.
class RequestWatcher : public QObject {
 public:
  RequestWatcher(os::WaitHandle requestHandle, std::function<bool()> takeRequest,
                 std::function<void()> onRequest);

 private:
  void RequestArrived();

  std::function<bool()> takeRequest_;
  std::function<void()> onRequest_;
};

}  // namespace lintavo
