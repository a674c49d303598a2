#pragma once

#include <QPixmap>

namespace lintavo {

// Pictures compiled into the program, by their resource paths (":/app/..."); a null pixmap when
// one cannot be read.

// A PNG picture. The format is named rather than detected: to detect it, Qt would first load
// every image-format plugin on the system and ask each one.
QPixmap BuiltInPngPicture(const char* resourcePath);

// A binary PPM picture ("P6", 8 bits a channel, no comments in its header), taken into an image
// as it lies, without Qt's image readers: any reader first lists the system's image-format
// plugins, and with a PNG's decoding that costs the main window's start about a millisecond.
QPixmap BuiltInPpmPicture(const char* resourcePath);

}  // namespace lintavo
