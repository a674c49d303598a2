#include "dialogs/PictureImages.h"

#include <climits>
#include <cstdint>
#include <utility>

#include "base/Failure.h"
#include "codecs/PicturePreview.h"

namespace lintavo {

QImage LoadPictureImage(const std::string& path, PictureFormat format, QSize atLeast) {
  auto* picture =
      new PreviewPicture(DecodePictureForPreview(path, format, atLeast.width(), atLeast.height()));
  // The image shows the decoded pixels where they are and frees them with itself.
  return QImage(
      picture->pixels.data(), picture->width, picture->height, picture->width * 4,
      QImage::Format_ARGB32, [](void* owner) { delete static_cast<PreviewPicture*>(owner); },
      picture);
}

QImage PreviewOfFile(const std::string& path) {
  const std::optional<PictureFormat> format = PictureFormatOfFileName(path);
  if (!format) {
    return {};
  }
  try {
    return LoadPictureImage(path, *format, QSize(INT_MAX, INT_MAX));
  } catch (const Failure&) {
    return {};
  }
}

QSize FittedSize(QSize picture, QSize box) {
  if (picture.isEmpty()) {
    return {};
  }
  const std::int64_t width = picture.width();
  const std::int64_t height = picture.height();
  // Width-bound when the picture is relatively wider than the box.
  if (width * box.height() >= height * box.width()) {
    return {box.width(), static_cast<int>(height * box.width() / width)};
  }
  return {static_cast<int>(width * box.height() / height), box.height()};
}

}  // namespace lintavo
