#include "skin/Anchors.h"

#include <QEvent>
#include <QWidget>

namespace lintavo {

namespace {

// Where a control's edges go along one axis when the window grows by `growth`: anchored to the
// near edge only, it stays; to the far edge only, it moves along; to both, it stretches.
void Place(int& start, int& length, bool nearEdge, bool farEdge, int growth) {
  if (farEdge && nearEdge) {
    length += growth;
  } else if (farEdge) {
    start += growth;
  }
}

}  // namespace

Anchors::Anchors(QWidget& window)
    : QObject(&window), window_(window), designedSize_(window.size()) {
  window.installEventFilter(this);
}

void Anchors::Add(QWidget& control, Edges edges) {
  controls_.push_back({&control, edges, control.geometry()});
  Apply(window_.size());
}

bool Anchors::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &window_ && event->type() == QEvent::Resize) {
    Apply(window_.size());
  }
  return QObject::eventFilter(watched, event);
}

void Anchors::Apply(QSize size) {
  const int wider = size.width() - designedSize_.width();
  const int taller = size.height() - designedSize_.height();
  for (const Anchored& anchored : controls_) {
    int left = anchored.designed.left();
    int width = anchored.designed.width();
    int top = anchored.designed.top();
    int height = anchored.designed.height();
    Place(left, width, anchored.edges.testFlag(kLeft), anchored.edges.testFlag(kRight), wider);
    Place(top, height, anchored.edges.testFlag(kTop), anchored.edges.testFlag(kBottom), taller);
    anchored.control->setGeometry(left, top, width, height);
  }
}

}  // namespace lintavo
