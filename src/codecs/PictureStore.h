#pragma once

#include <string>

#include "codecs/PictureFormat.h"

namespace lintavo {

// Stores the picture `source`, of the given format, as the Windows bitmap (BMP) file `dest`: a
// page's background. The file is built beside `dest` and renamed over it once complete, so a
// picture that fails to decode, or a bitmap that fails to be written, leaves any old `dest` whole
// and no partial file. Nothing is scaled or cropped.
// - JPEG: ConvertJpegToBitmap, 24 bits per pixel.
// - GIF: the first frame at the picture's screen size, 8 bits per pixel with its palette (ReadGif).
// - BMP: copied byte for byte, once its headers show it is a BMP (CopyBitmapFile).
// - TIFF: 32 bits per pixel as TIFFReadRGBAImage reads it (ReadTiff).
// - PNG: its own pixel format: 8 bits with its palette, 24 or 32 bits (ReadPng).
//
// Throws Failure with the reader's message: "Cannot open file "<source>". <reason>",
// "JPEG error #<code>", "Unable to open file '<source>'" for a TIFF, the picture failures of
// codecs/PictureFailures.h, and "Cannot create file "<dest>". <reason>" when the bitmap cannot be
// written.
void StorePictureAsBitmap(const std::string& source, PictureFormat format, const std::string& dest);

}  // namespace lintavo
