#pragma once

#include <QString>

class QLabel;

namespace lintavo {

// Shows `text` in `label` on one line, as much of it as the label's room takes: a text too long
// for it ends in an ellipsis ("Arbeitsplatz und …"), and the whole text is then the label's
// tooltip. The whole text is always the label's accessible name.
void ShowElided(QLabel& label, const QString& text);

}  // namespace lintavo
