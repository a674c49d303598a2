#pragma once

#include <string>

#include "codecs/JpegReader.h"
#include "codecs/PictureSink.h"

namespace lintavo {

// Decodes `picture` at the scale chosen on it (full size unless JpegReader::ScaleToCover chose
// another) into 24-bit colour and hands its rows to `sink` a block at a time, reading the file to
// its end. Throws what JpegReader throws.
void DecodeJpeg(JpegReader& picture, PictureSink& sink);

// Decodes the JPEG picture `source` at full size with the most accurate decoding into 24-bit
// colour and stores it as the BMP file `dest`, replacing any file there. The decoded rows stream
// into the file a block at a time.
//
// Throws Failure "Cannot open file "<source>". <reason>" when the picture cannot be read,
// "JPEG error #<code>" when it cannot be decoded (truncated data included), and
// "Cannot create file "<dest>". <reason>" when the bitmap cannot be written. In every case
// nothing is written to `dest`.
void ConvertJpegToBitmap(const std::string& source, const std::string& dest);

}  // namespace lintavo
