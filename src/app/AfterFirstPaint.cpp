#include "app/AfterFirstPaint.h"

#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>
#include <utility>

namespace lintavo {

namespace {

// Watches the window's events until its first paint, then queues the work and goes.
class FirstPaintWatcher : public QObject {
 public:
  FirstPaintWatcher(QWidget& window, std::function<void()> work)
      : QObject(&window), work_(std::move(work)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      watched->removeEventFilter(this);
      // Queued, so that the paint finishes first; the window owns the timer's context.
      QTimer::singleShot(0, watched, std::move(work_));
      deleteLater();
    }
    return false;
  }

 private:
  std::function<void()> work_;
};

}  // namespace

void RunAfterFirstPaint(QWidget& window, std::function<void()> work) {
  window.installEventFilter(new FirstPaintWatcher(window, std::move(work)));
}

}  // namespace lintavo
