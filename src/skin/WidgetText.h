#pragma once

#include <QString>
#include <string>
#include <string_view>

// Page data is 8-bit text; widgets speak QString. These are the only crossing between them.
//
// Page data is UTF-8 here, but a settings file brought from Windows holds its names and captions in
// the Windows code page. So the bytes are shown as UTF-8 where they are well-formed UTF-8, and
// every byte that is not part of a well-formed sequence as its Windows-1252 character: "M\xFAsica"
// shows as "Música", and so does "M\xC3\xBAsica". The five bytes Windows-1252 leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) show as the C1 control of the same number, as Windows itself
// converts them: every byte keeps a character of its own, and none turns into U+FFFD.
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
