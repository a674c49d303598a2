#pragma once

#include <QPixmap>

namespace lintavo {

// A PNG picture compiled into the program, by its resource path (":/app/..."); a null pixmap if
// it cannot be read. The format is named rather than detected: to detect it, Qt would first load
// every image-format plugin on the system and ask each one, which costs a start more than reading
// the picture does.
QPixmap BuiltInPngPicture(const char* resourcePath);

}  // namespace lintavo
