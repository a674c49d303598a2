#include "PictureFuzzing.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <iterator>

#include "FuzzSupport.h"
#include "base/Failure.h"
#include "codecs/PictureStore.h"

namespace lintavo::fuzz {

namespace fs = std::filesystem;

namespace {

constexpr std::uint8_t kOpaque = 255;

fs::path MadeFolder() {
  const fs::path folder = Scratch::Get() / "picture";
  fs::create_directories(folder);
  return folder;
}

std::string ReadWholeFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The preview's blue, green, red, alpha of pixel `x` in a row of `bitmap`.
std::array<std::uint8_t, 4> PixelOf(const test::BmpPixels& bitmap, const std::uint8_t* row, int x,
                                    BitmapAlpha alpha) {
  const auto at = static_cast<std::size_t>(x);
  switch (bitmap.header.bitsPerPixel) {
    case 8: {
      const std::uint32_t entry = row[at] < bitmap.palette.size() ? bitmap.palette[row[at]] : 0;
      return {static_cast<std::uint8_t>(entry), static_cast<std::uint8_t>(entry >> 8),
              static_cast<std::uint8_t>(entry >> 16), kOpaque};
    }
    case 24:
      return {row[3 * at], row[3 * at + 1], row[3 * at + 2], kOpaque};
    default: {  // 32
      const std::uint8_t* pixel = row + 4 * at;
      return {pixel[0], pixel[1], pixel[2], alpha == BitmapAlpha::kAlpha ? pixel[3] : kOpaque};
    }
  }
}

bool IsDepthOf(PictureFormat format, int bitsPerPixel) {
  switch (format) {
    case PictureFormat::kGif:
      return bitsPerPixel == 8;
    case PictureFormat::kTiff:
      return bitsPerPixel == 32;
    default:  // a PNG keeps its own pixel format; ReadBmpPixels takes 8, 24 and 32 bits only
      return true;
  }
}

}  // namespace

PictureInput::PictureInput(const std::uint8_t* data, std::size_t size,
                           const std::string& extension) {
  static const fs::path folder = MadeFolder();
  path_ = folder / ("picture." + extension);
  WriteBytes(path_.string(), AsText(data, size));
}

PictureInput::~PictureInput() {
  for (const auto& entry : fs::directory_iterator(path_.parent_path())) {
    fs::remove(entry.path());
  }
}

std::optional<std::string> StoreAsBitmap(const PictureInput& input, PictureFormat format) {
  const fs::path dest = input.Path().parent_path() / "stored.bmp";
  try {
    StorePictureAsBitmap(input.Path().string(), format, dest.string());
  } catch (const Failure&) {
    // The folder holds nothing but the picture: a failed conversion left no partial bitmap.
    for (const auto& entry : fs::directory_iterator(input.Path().parent_path())) {
      Expect(entry.path() == input.Path(),
             "a failed conversion left " + entry.path().filename().string() + " behind");
    }
    return std::nullopt;
  }
  return ReadWholeFile(dest);
}

test::BmpPixels PixelsOfStored(const std::string& bitmap) {
  try {
    return test::ReadBmpPixels(bitmap);
  } catch (const std::exception& error) {
    Fail(std::string("the stored bitmap is not laid out as BmpWriter writes: ") + error.what());
  }
}

std::optional<PreviewPicture> DecodeForPreview(const PictureInput& input, PictureFormat format) {
  try {
    return DecodePictureForPreview(input.Path().string(), format, 1, 1);
  } catch (const Failure&) {
    return std::nullopt;
  }
}

void ExpectPreviewShows(const PreviewPicture& preview, const test::BmpPixels& bitmap,
                        BitmapAlpha alpha) {
  Expect(preview.width == bitmap.header.width && preview.height == bitmap.header.height,
         "the preview is " + std::to_string(preview.width) + " x " +
             std::to_string(preview.height) + ", the bitmap " +
             std::to_string(bitmap.header.width) + " x " + std::to_string(bitmap.header.height));
  Expect(preview.pixels.size() ==
             4 * static_cast<std::size_t>(preview.width) * static_cast<std::size_t>(preview.height),
         "the preview does not hold 4 bytes for each pixel");
  for (int y = 0; y < preview.height; ++y) {
    const std::uint8_t* shownRow =
        preview.pixels.data() + 4 * static_cast<std::size_t>(y) * preview.width;
    for (int x = 0; x < preview.width; ++x) {
      const auto expected =
          PixelOf(bitmap, bitmap.rows[static_cast<std::size_t>(y)].data(), x, alpha);
      const std::uint8_t* shown = shownRow + 4 * static_cast<std::size_t>(x);
      Expect(std::equal(expected.begin(), expected.end(), shown),
             "the preview shows pixel " + std::to_string(x) + ", " + std::to_string(y) +
                 " otherwise than the bitmap holds it");
    }
  }
}

void CheckStoredAndShownAlike(const PictureInput& input, PictureFormat format) {
  const std::optional<std::string> stored = StoreAsBitmap(input, format);
  const std::optional<PreviewPicture> preview = DecodeForPreview(input, format);
  Expect(stored.has_value() == preview.has_value(),
         stored ? "the picture was stored but not shown" : "the picture was shown but not stored");
  if (!stored) {
    return;
  }
  const test::BmpPixels bitmap = PixelsOfStored(*stored);
  Expect(IsDepthOf(format, bitmap.header.bitsPerPixel),
         "the bitmap has " + std::to_string(bitmap.header.bitsPerPixel) + " bits per pixel");
  ExpectPreviewShows(*preview, bitmap, BitmapAlpha::kAlpha);
}

}  // namespace lintavo::fuzz
