#include "skin/BuiltInPictures.h"

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QString>
#include <cctype>
#include <optional>

namespace lintavo {

namespace {

constexpr int kLargestPpmSide = 16384;

bool IsHeaderSpace(char c) {
  return std::isspace(static_cast<unsigned char>(c)) != 0;
}

// The decimal number at `at` after any white space, moving `at` past it; nothing when there is
// none or it exceeds kLargestPpmSide.
std::optional<int> HeaderNumber(const QByteArray& bytes, qsizetype& at) {
  while (at < bytes.size() && IsHeaderSpace(bytes[at])) {
    ++at;
  }
  int number = 0;
  const qsizetype start = at;
  while (at < bytes.size() && bytes[at] >= '0' && bytes[at] <= '9') {
    number = number * 10 + (bytes[at] - '0');
    if (number > kLargestPpmSide) {
      return std::nullopt;
    }
    ++at;
  }
  return at > start ? std::optional<int>(number) : std::nullopt;
}

}  // namespace

QPixmap BuiltInPngPicture(const char* resourcePath) {
  QImageReader reader(QString::fromLatin1(resourcePath), "png");
  reader.setAutoDetectImageFormat(false);
  return QPixmap::fromImage(reader.read());
}

QPixmap BuiltInPpmPicture(const char* resourcePath) {
  QFile file(QString::fromLatin1(resourcePath));
  if (!file.open(QIODevice::ReadOnly)) {
    return {};
  }
  const QByteArray bytes = file.readAll();
  if (!bytes.startsWith("P6")) {
    return {};
  }
  qsizetype at = 2;
  const std::optional<int> width = HeaderNumber(bytes, at);
  const std::optional<int> height = HeaderNumber(bytes, at);
  const std::optional<int> largestValue = HeaderNumber(bytes, at);
  // One white-space character ends the header; the rows follow, top first, 3 bytes a pixel.
  if (!width || !height || largestValue != 255 || at >= bytes.size() || !IsHeaderSpace(bytes[at])) {
    return {};
  }
  const qsizetype rowBytes = qsizetype{*width} * 3;
  if (bytes.size() - (at + 1) < rowBytes * *height) {
    return {};
  }
  const QImage rows(reinterpret_cast<const uchar*>(bytes.constData() + at + 1), *width, *height,
                    rowBytes, QImage::Format_RGB888);
  return QPixmap::fromImage(rows.convertToFormat(QImage::Format_RGB32));
}

}  // namespace lintavo
