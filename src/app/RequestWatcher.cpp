#include "app/RequestWatcher.h"

#include <QSocketNotifier>
#include <QWidget>
#include <utility>

namespace lintavo {

void BringToFront(QWidget& window) {
  window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
  window.show();
  window.raise();
  window.activateWindow();
}

RequestWatcher::RequestWatcher(os::WaitHandle requestHandle, std::function<bool()> takeRequest,
                               std::function<void()> onRequest)
    : takeRequest_(std::move(takeRequest)), onRequest_(std::move(onRequest)) {
  if (requestHandle == os::kNoWaitHandle) {
    return;
  }
  auto* notifier = new QSocketNotifier(requestHandle, QSocketNotifier::Read, this);
  connect(notifier, &QSocketNotifier::activated, this, &RequestWatcher::RequestArrived);
}

void RequestWatcher::RequestArrived() {
  if (takeRequest_()) {
    onRequest_();
  }
}

}  // namespace lintavo
