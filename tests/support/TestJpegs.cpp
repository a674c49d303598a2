#include "support/TestJpegs.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <vector>

// jpeglib.h uses FILE and size_t without declaring them, so it comes after <cstdio>.
#include <jpeglib.h>

namespace lintavo::test {

namespace {

bool IsCmyk(JpegKind kind) {
  return kind == JpegKind::kAdobeCmyk || kind == JpegKind::kAdobeYcck ||
         kind == JpegKind::kPlainCmyk;
}

// A zigzag between 40 and 210 that climbs or falls by one per step of `t`.
int Zigzag(int t) {
  return 40 + std::abs(t % 340 - 170);
}

// Gentle slopes in every channel, each running its own way, so that a swapped channel, a flipped
// or shifted row or a wrong row length all show as large errors, while JPEG's chroma subsampling
// costs little.
Colour Gradient(int x, int y) {
  return {Zigzag(4 * x), Zigzag(4 * y + 60), Zigzag(3 * (x + y) + 120)};
}

// How much light the black ink lets through at (x, y) in CMYK pictures: 255 means no black.
int BlackLetThrough(int x, int y) {
  return 160 + Gradient(x, y).green * 95 / 255;
}

}  // namespace

Colour TestJpegColour(JpegKind kind, int x, int y) {
  const Colour colour = Gradient(x, y);
  if (kind == JpegKind::kGray) {
    const int level = (colour.red + colour.green) / 2;
    return {level, level, level};
  }
  if (IsCmyk(kind)) {
    const int black = BlackLetThrough(x, y);
    return {colour.red * black / 255, colour.green * black / 255, colour.blue * black / 255};
  }
  return colour;
}

std::string MakeTestJpeg(JpegKind kind, int width, int height, bool progressive, bool arithmetic) {
  // The pictures are always valid, so libjpeg's default handling (print and exit) never acts.
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr errors{};
  cinfo.err = jpeg_std_error(&errors);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);

  cinfo.image_width = static_cast<JDIMENSION>(width);
  cinfo.image_height = static_cast<JDIMENSION>(height);
  cinfo.input_components = kind == JpegKind::kGray ? 1 : IsCmyk(kind) ? 4 : 3;
  cinfo.in_color_space = kind == JpegKind::kGray ? JCS_GRAYSCALE
                         : IsCmyk(kind)          ? JCS_CMYK
                                                 : JCS_RGB;
  jpeg_set_defaults(&cinfo);
  if (kind == JpegKind::kAdobeYcck) {
    jpeg_set_colorspace(&cinfo, JCS_YCCK);
  }
  if (kind == JpegKind::kPlainCmyk) {
    cinfo.write_Adobe_marker = FALSE;
  }
  // Every component at full resolution: at quality 100 the picture then comes back within a
  // level or two of what went in.
  for (int i = 0; i < cinfo.num_components; ++i) {
    cinfo.comp_info[i].h_samp_factor = 1;
    cinfo.comp_info[i].v_samp_factor = 1;
  }
  jpeg_set_quality(&cinfo, 100, TRUE);
  if (progressive) {
    jpeg_simple_progression(&cinfo);
  }
  cinfo.arith_code = arithmetic ? TRUE : FALSE;
  jpeg_start_compress(&cinfo, TRUE);

  std::vector<JSAMPLE> row(static_cast<std::size_t>(width * cinfo.input_components));
  for (int y = 0; y < height; ++y) {
    JSAMPLE* sample = row.data();
    for (int x = 0; x < width; ++x) {
      const Colour colour = Gradient(x, y);
      if (kind == JpegKind::kGray) {
        *sample++ = static_cast<JSAMPLE>(TestJpegColour(kind, x, y).red);
      } else if (IsCmyk(kind)) {
        // Adobe's files store the light let through (255 - ink); plain files store the ink.
        const int flip = kind == JpegKind::kPlainCmyk ? 255 : 0;
        *sample++ = static_cast<JSAMPLE>(colour.red ^ flip);
        *sample++ = static_cast<JSAMPLE>(colour.green ^ flip);
        *sample++ = static_cast<JSAMPLE>(colour.blue ^ flip);
        *sample++ = static_cast<JSAMPLE>(BlackLetThrough(x, y) ^ flip);
      } else {
        *sample++ = static_cast<JSAMPLE>(colour.red);
        *sample++ = static_cast<JSAMPLE>(colour.green);
        *sample++ = static_cast<JSAMPLE>(colour.blue);
      }
    }
    JSAMPROW rowPointer = row.data();
    jpeg_write_scanlines(&cinfo, &rowPointer, 1);
  }
  jpeg_finish_compress(&cinfo);
  std::string bytes(reinterpret_cast<const char*>(buffer), size);
  jpeg_destroy_compress(&cinfo);
  std::free(buffer);
  return bytes;
}

void SetClaimedSize(std::string& jpeg, int width, int height) {
  const auto byteAt = [&](std::size_t i) { return static_cast<unsigned char>(jpeg.at(i)); };
  // Walk the marker segments after the start marker up to the frame header (SOF0 to SOF15,
  // except DHT, JPG and DAC, which share the range).
  for (std::size_t i = 2; byteAt(i) == 0xFF;) {
    const unsigned char marker = byteAt(i + 1);
    if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
      jpeg[i + 5] = static_cast<char>(height >> 8);
      jpeg[i + 6] = static_cast<char>(height & 0xFF);
      jpeg[i + 7] = static_cast<char>(width >> 8);
      jpeg[i + 8] = static_cast<char>(width & 0xFF);
      return;
    }
    i += 2 + (static_cast<std::size_t>(byteAt(i + 2)) << 8 | byteAt(i + 3));
  }
  throw std::runtime_error("no frame header in the JPEG data");
}

}  // namespace lintavo::test
