// Fuzz target for BMP pictures. Storing one copies the file byte for byte once its headers show it
// is a BMP; the preview decodes it (ReadBmp). The input is the picture file. The copy is the input
// exactly, or fails and leaves nothing; a picture that can be shown can be stored too; and a
// picture laid out as BmpWriter writes, with its whole palette before the pixels, shows the pixels
// it holds, plain 32-bit pixels opaque.
#include <cstddef>
#include <cstdint>
#include <exception>
#include <optional>
#include <string>

#include "FuzzSupport.h"
#include "PictureFuzzing.h"

namespace {

namespace fuzz = lintavo::fuzz;
namespace test = lintavo::test;

constexpr std::size_t kHeadersSize = 54;  // BITMAPFILEHEADER and BITMAPINFOHEADER
constexpr std::size_t kPaletteEntrySize = 4;
constexpr std::size_t kMaxPaletteEntries = 256;

// The input's pixels when it is laid out as BmpWriter writes, with a palette that the preview
// reads in full: ReadBmpPixels and ReadBmp then mean the same by every byte.
std::optional<test::BmpPixels> PixelsOfPlainBitmap(const std::string& bytes) {
  test::BmpPixels bitmap;
  try {
    bitmap = test::ReadBmpPixels(bytes);
  } catch (const std::exception&) {
    return std::nullopt;
  }
  const test::BmpHeader& header = bitmap.header;
  const bool wholePalette =
      header.coloursUsed > 0 && header.coloursUsed <= kMaxPaletteEntries &&
      header.pixelDataOffset == kHeadersSize + kPaletteEntrySize * header.coloursUsed;
  if (header.bitsPerPixel == 8 && !wholePalette) {
    return std::nullopt;
  }
  return bitmap;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const fuzz::PictureInput input(data, size, "bmp");
  const std::optional<std::string> copy = fuzz::StoreAsBitmap(input, lintavo::PictureFormat::kBmp);
  const std::string bytes(fuzz::AsText(data, size));
  if (copy) {
    fuzz::ExpectEqual("the copy of the BMP file", bytes, *copy);
  }
  const std::optional<lintavo::PreviewPicture> preview =
      fuzz::DecodeForPreview(input, lintavo::PictureFormat::kBmp);
  if (!preview) {
    return 0;
  }
  fuzz::Expect(copy.has_value(), "the picture was shown but not stored");
  if (const std::optional<test::BmpPixels> pixels = PixelsOfPlainBitmap(bytes)) {
    fuzz::ExpectPreviewShows(*preview, *pixels, fuzz::BitmapAlpha::kUnused);
  }
  return 0;
}
