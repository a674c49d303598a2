#include "skin/BuiltInPictures.h"

#include <QImageReader>
#include <QString>

namespace lintavo {

QPixmap BuiltInPngPicture(const char* resourcePath) {
  QImageReader reader(QString::fromLatin1(resourcePath), "png");
  reader.setAutoDetectImageFormat(false);
  return QPixmap::fromImage(reader.read());
}

}  // namespace lintavo
