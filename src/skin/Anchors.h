#pragma once

#include <QFlags>
#include <QObject>
#include <QRect>
#include <QSize>
#include <vector>

class QWidget;

namespace lintavo {

// Keeps the controls of a resizable window where its design puts them: each control keeps its
// distance to the window edges it is anchored to, and a control anchored to two opposite edges
// stretches with the window. The distances are taken from the designed geometry when a control
// is added, so the window must still have its designed size then.
class Anchors : public QObject {
 public:
  enum Edge { kLeft = 1, kTop = 2, kRight = 4, kBottom = 8 };
  Q_DECLARE_FLAGS(Edges, Edge)

  // Follows the size of `window` from now on.
  explicit Anchors(QWidget& window);

  void Add(QWidget& control, Edges edges);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Anchored {
    QWidget* control;
    Edges edges;
    QRect designed;
  };

  void Apply(QSize size);

  QWidget& window_;
  QSize designedSize_;
  std::vector<Anchored> controls_;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(Anchors::Edges)

}  // namespace lintavo
