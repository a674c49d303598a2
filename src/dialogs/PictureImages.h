#pragma once

#include <QImage>
#include <QSize>
#include <string>

#include "codecs/PictureFormat.h"

namespace lintavo {

// A picture file as the windows show it, decoded by the same readers that store pictures. It is
// decoded at least at `atLeast` where its format can decode at a smaller scale. Throws Failure as
// the readers do.
QImage LoadPictureImage(const std::string& path, PictureFormat format, QSize atLeast);

// The picture of a file at its own size for a preview pane, by the reader its extension names;
// a null image when it has none or cannot be read.
QImage PreviewOfFile(const std::string& path);

// The largest size that fits `box` with the proportions of `picture`, each side truncated to
// whole pixels: a 1000 x 500 picture in 544 x 331 is 544 x 272, and so is one of 100 x 50.
QSize FittedSize(QSize picture, QSize box);

}  // namespace lintavo
