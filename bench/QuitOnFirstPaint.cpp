// Linked into a program built for the start-up benchmark: when the application object comes
// into being, it starts watching for the first paint of a top-level window and ends the event
// loop right after it, so timing the whole process measures start-up to first paint.
#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>

namespace {

class FirstPaintWatcher : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (!painted_ && event->type() == QEvent::Paint && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->isWindow()) {
      painted_ = true;
      QTimer::singleShot(0, QCoreApplication::instance(), &QCoreApplication::quit);
    }
    return false;
  }

 private:
  bool painted_ = false;
};

void WatchForFirstPaint() {
  QCoreApplication::instance()->installEventFilter(
      new FirstPaintWatcher(QCoreApplication::instance()));
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(WatchForFirstPaint)
