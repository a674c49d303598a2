#include "skin/PictureBox.h"

#include <QMouseEvent>

namespace lintavo {

PictureBox::PictureBox(QWidget* parent) : QLabel(parent) {}

// A click is a left button released over the picture, so a press that is dragged away and
// released elsewhere does nothing, as with a button.
void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
    emit clicked();
  }
  QLabel::mouseReleaseEvent(event);
}

}  // namespace lintavo
