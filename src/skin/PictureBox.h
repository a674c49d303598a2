#pragma once

#include <QLabel>

namespace lintavo {

// A picture that answers a click, like the logo banner of the main window.
class PictureBox : public QLabel {
  Q_OBJECT

 public:
  explicit PictureBox(QWidget* parent = nullptr);

 signals:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace lintavo
