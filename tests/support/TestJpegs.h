#pragma once

#include <string>

namespace lintavo::test {

// The kinds of JPEG file the conversion must turn into 24-bit colour.
enum class JpegKind {
  kColour,     // YCbCr, chroma sampled 2x2 as cameras store it
  kGray,       // one component
  kAdobeCmyk,  // CMYK with Adobe's marker, inks stored inverted (255 = no ink)
  kAdobeYcck,  // the same inks stored as YCCK
  kPlainCmyk,  // CMYK without the marker, inks stored as they are (0 = no ink)
};

struct Colour {
  int red = 0, green = 0, blue = 0;
};

// Encodes a synthetic picture of the given kind at quality 100, every component at full
// resolution, into JPEG bytes in memory, Huffman-coded unless `arithmetic`.
std::string MakeTestJpeg(JpegKind kind, int width, int height, bool progressive = false,
                         bool arithmetic = false);

// The colour the picture made by MakeTestJpeg shows at (x, y), before JPEG's losses.
Colour TestJpegColour(JpegKind kind, int x, int y);

// Overwrites the picture size recorded in the frame header of `jpeg`, leaving its data as it is.
void SetClaimedSize(std::string& jpeg, int width, int height);

}  // namespace lintavo::test
