#pragma once

#include <string>

#include "codecs/PictureSink.h"

namespace lintavo {

// Decodes the PNG picture `path` and hands it to `sink` in the BMP pixel format nearest its own:
// - palette pictures (1, 2, 4 or 8 bits per pixel) as 8 bits per pixel with the same palette; a
//   BMP palette has no alpha, so the palette's transparency (tRNS) is dropped;
// - gray and colour pictures as 24 bits;
// - pictures with alpha (gray or colour with an alpha channel, or with a transparent colour given
//   by tRNS) as 32 bits, the alpha as the picture has it;
// - 16-bit samples rounded to 8 bits.
// The file's pixels are stored as they are: gamma and colour profiles are not applied. Rows stream
// through a block at a time; an interlaced picture, whose rows come in seven passes, is decoded
// whole first.
//
// Throws Failure "Cannot open file "<path>". <reason>", or one of the picture failures
// (codecs/PictureFailures.h): an empty file, not a PNG file, damaged (cut short, a size of zero, or
// what libpng found, e.g. "IDAT: CRC error"), or too large.
void ReadPng(const std::string& path, PictureSink& sink);

}  // namespace lintavo
