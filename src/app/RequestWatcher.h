#pragma once

#include <QObject>
#include <functional>

class QWidget;

namespace lintavo {

// Restores a minimised window and brings it to the front, active.
void BringToFront(QWidget& window);

// Answers requests that another process or the system sends to the running program (a refused
// second start's "come to the front", the system's "end now") on the main thread: whenever
// `requestDescriptor` becomes readable, `takeRequest` consumes what arrived and says whether it
// was a request, and then `onRequest` runs. A descriptor of -1 (a system that delivers such
// requests itself) watches nothing.
class RequestWatcher : public QObject {
 public:
  RequestWatcher(int requestDescriptor, std::function<bool()> takeRequest,
                 std::function<void()> onRequest);

 private:
  void RequestArrived();

  std::function<bool()> takeRequest_;
  std::function<void()> onRequest_;
};

}  // namespace lintavo
