#include "skin/WidgetText.h"

#include <QByteArray>

#include "base/Text.h"

namespace lintavo {

QString ToWidgetText(std::string_view bytes) {
  QString text;
  text.reserve(static_cast<qsizetype>(bytes.size()));
  while (!bytes.empty()) {
    const base::PageTextCharacter character = base::FirstCharacter(bytes);
    if (QChar::requiresSurrogates(character.codePoint)) {
      text.append(QChar(QChar::highSurrogate(character.codePoint)));
      text.append(QChar(QChar::lowSurrogate(character.codePoint)));
    } else {
      text.append(QChar(static_cast<char16_t>(character.codePoint)));
    }
    bytes.remove_prefix(character.length);
  }
  return text;
}

std::string FromWidgetText(const QString& text) {
  return text.toUtf8().toStdString();
}

std::string FromWidgetText(const QString& text, const std::string& original) {
  return text == ToWidgetText(original) ? original : FromWidgetText(text);
}

}  // namespace lintavo
