#pragma once

#include <QString>
#include <string>
#include <string_view>

// Page data is 8-bit text; widgets speak QString. These are the only crossing between them.
//
// The bytes are shown as the characters base::FirstCharacter reads them as: UTF-8 where they are
// well-formed UTF-8, and every other byte as its Windows-1252 character, for the names and
// captions of a settings file brought from Windows ("M\xFAsica" shows as "Música").
//
// What a person types is stored as UTF-8. A text the person did not change is stored back as the
// bytes it was shown from, whatever they are: the Windows-1252 reading is for the eyes only.
namespace lintavo {

QString ToWidgetText(std::string_view bytes);

// The widget's text as UTF-8.
std::string FromWidgetText(const QString& text);

// The widget's text, shown from `original`: `original` itself while the text is what
// ToWidgetText(original) shows, else the text as UTF-8.
std::string FromWidgetText(const QString& text, const std::string& original);

}  // namespace lintavo
