#include "skin/ElidedText.h"

#include <QLabel>

namespace lintavo {

void ShowElided(QLabel& label, const QString& text) {
  label.ensurePolished();  // measured with the font the skin gives it
  const QString shown =
      label.fontMetrics().elidedText(text, Qt::ElideRight, label.contentsRect().width());
  label.setText(shown);
  label.setToolTip(shown == text ? QString() : text);
  label.setAccessibleName(text);
}

}  // namespace lintavo
