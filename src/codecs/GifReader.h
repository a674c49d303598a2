#pragma once

#include <string>

#include "codecs/PictureSink.h"

namespace lintavo {

// Decodes the first frame of the GIF picture `path` and hands it to `sink` as 8 bits per pixel at
// the size of the picture's logical screen, with the frame's own colour table (else the global
// one) as palette. Where the frame does not cover the screen, the screen's background colour shows
// (its index in that palette; index 0 when it lies beyond); what of the frame lies outside the
// screen is cut off. Transparency is not applied: a BMP has none, so a transparent pixel keeps the
// colour its index has. Rows stream through: the frame's rows go to the sink as they are decoded.
//
// Throws Failure "Cannot open file "<path>". <reason>", or one of the picture failures
// (codecs/PictureFailures.h): an empty file, not a GIF file, damaged (cut short, without a colour
// table or a frame, defective picture data, a size of zero), or too large. The frame's pixels
// count against the decode limit too, as they are decoded even where they lie off the screen.
void ReadGif(const std::string& path, PictureSink& sink);

}  // namespace lintavo
