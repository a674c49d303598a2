#pragma once

#include <string>

#include "codecs/PictureSink.h"

namespace lintavo {

// Reads the first image of the TIFF picture `path` exactly as libtiff's TIFFReadRGBAImage does,
// going on past read errors, and hands it to `sink` as 32 bits per pixel: blue, green, red, alpha
// (libtiff's red, green, blue, alpha with red and blue swapped), the picture's top row on top
// whatever orientation the file stores. libtiff's conversions apply: any sample size and colour
// space it can read becomes 8-bit RGBA, alpha premultiplied. Pixels that cannot be read come out
// as libtiff leaves them: zero where it reads nothing, so an image libtiff cannot convert at all is
// all zero. libtiff's own messages are never shown.
//
// The common 8-bit RGB picture in strips, stored top row first, is decoded strip by strip and its
// rows turned straight into blue, green, red, alpha 255, as TIFFRGBAImage would turn them; should
// libtiff report any trouble on the way, the picture is read again as any other. Any other streams
// through TIFFRGBAImage a block of strips or tiles at a time. Should libtiff report any trouble
// while it does, the block-wise result could differ from what TIFFReadRGBAImage makes of the
// damage (it reuses one decoding buffer for the whole image), so the image is then read again
// whole, the way TIFFReadRGBAImage reads it, where that raster fits the decode limit beside a
// preview's copy of the picture; a larger damaged image keeps what streaming made of it.
//
// Throws Failure "Unable to open file '<path>'" when the file cannot be opened or is no TIFF,
// "Unable to create TBitmap buffer" when the image has no pixels or its memory cannot be had, and
// "The picture "<path>" is too large: ..." beyond the decode limit (codecs/PictureFailures.h).
void ReadTiff(const std::string& path, PictureSink& sink);

}  // namespace lintavo
