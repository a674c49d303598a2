#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "codecs/PictureFormat.h"

namespace lintavo {

// A decoded picture for showing: 32 bits per pixel, bytes blue, green, red, alpha (alpha 255 where
// the picture has none), rows top first, width * 4 bytes each. On a little-endian machine this is
// QImage::Format_ARGB32, which can wrap the pixels without copying them. A TIFF's colours come
// premultiplied by its alpha, as libtiff gives them.
struct PreviewPicture {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> pixels;
};

// Decodes the picture `path` for the preview, through the same readers that store it, and in the
// same pixel values. A JPEG decodes at the smallest of libjpeg's scales (1/8 to 8/8) at which it is
// still at least `minWidth` x `minHeight`, or at full size when it is smaller; the other formats
// decode at full size. A BMP is decoded (ReadBmp), where storing copies it.
//
// Throws Failure with the texts storing throws for the same file; pictures whose preview would
// take more than 512 MB are refused as too large.
PreviewPicture DecodePictureForPreview(const std::string& path, PictureFormat format, int minWidth,
                                       int minHeight);

}  // namespace lintavo
