#include "app/ActivationWatcher.h"

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

ActivationWatcher::ActivationWatcher(int requestDescriptor, std::function<bool()> takeRequest,
                                     QWidget& window)
    : takeRequest_(std::move(takeRequest)), window_(window) {
  if (requestDescriptor < 0) {
    return;
  }
  auto* notifier = new QSocketNotifier(requestDescriptor, QSocketNotifier::Read, this);
  connect(notifier, &QSocketNotifier::activated, this, &ActivationWatcher::RequestArrived);
}

void ActivationWatcher::RequestArrived() {
  if (takeRequest_()) {
    BringToFront(window_);
  }
}

}  // namespace lintavo
