// Fuzz target for TIFF pictures, stored as a background bitmap and decoded for the preview by the
// same reader: both fail alike, or the bitmap is whole, 32 bits per pixel, and the preview shows
// its pixels (CheckStoredAndShownAlike). The input is the picture file.
#include <tiffio.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "PictureFuzzing.h"

namespace {

namespace fuzz = lintavo::fuzz;

// The size the first image claims, as libtiff reads it; 0 when libtiff cannot open the file.
std::uint64_t ClaimedPixels(const std::string& path) {
  TIFF* tiff = TIFFOpen(path.c_str(), "r");
  if (tiff == nullptr) {
    return 0;
  }
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &width);
  TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &height);
  TIFFClose(tiff);
  return std::uint64_t{width} * height;
}

// libtiff's messages about the inputs, a flood while fuzzing, are of no use here; the reader
// under test catches its own.
bool SilenceLibtiff() {
  TIFFSetErrorHandler(nullptr);
  TIFFSetWarningHandler(nullptr);
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool silenced = SilenceLibtiff();
  (void)silenced;
  const fuzz::PictureInput input(data, size, "tif");
  if (ClaimedPixels(input.Path().string()) > fuzz::kMaxPicturePixels) {
    return 0;
  }
  fuzz::CheckStoredAndShownAlike(input, lintavo::PictureFormat::kTiff);
  return 0;
}
