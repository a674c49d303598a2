#pragma once

class QApplication;

namespace lintavo {

// The family and pixel size of the skin's font. The font is compiled in, so every caption measures
// the same on every machine and fits the designed geometry. It holds the Latin letters and common
// punctuation only, which keeps it small and quick to load at start-up; text in other scripts is
// drawn from the system's fonts.
inline constexpr const char* kSkinFontFamily = "DejaVu Sans Condensed";
inline constexpr int kSkinFontPixelSize = 11;

// Gives every window of `application` the program's one skin: the Fusion style under the style
// sheet compiled in as a resource, and the skin's font.
void ApplySkin(QApplication& application);

}  // namespace lintavo
