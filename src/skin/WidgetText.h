#pragma once

#include <QByteArrayView>
#include <QString>
#include <string>

namespace lintavo {

// Page data is 8-bit text in the system's encoding; widgets speak QString. These two are the only
// crossing between them.
inline QString ToWidgetText(const std::string& text) {
  return QString::fromLocal8Bit(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
}

inline std::string FromWidgetText(const QString& text) {
  return text.toLocal8Bit().toStdString();
}

}  // namespace lintavo
