#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "codecs/PictureFormat.h"
#include "codecs/PicturePreview.h"
#include "support/BmpPixels.h"

// What the picture fuzz targets share. Storing a picture as a background bitmap either writes a
// whole bitmap or fails with a Failure and leaves no file behind; decoding it for the preview
// either gives its pixels or fails with a Failure. Anything else a reader throws escapes the
// target and stops the fuzzer.
namespace lintavo::fuzz {

// Larger pictures take long to decode and write and teach the fuzzer nothing new; the targets
// pass over inputs that claim more pixels, below the readers' own limit.
inline constexpr std::uint64_t kMaxPicturePixels = 4096ull * 4096;

// The input written as the picture file `picture.<extension>`, alone in a folder of the target's
// own; the folder is emptied again when it goes.
class PictureInput {
 public:
  PictureInput(const std::uint8_t* data, std::size_t size, const std::string& extension);
  PictureInput(const PictureInput&) = delete;
  PictureInput& operator=(const PictureInput&) = delete;
  ~PictureInput();

  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// Stores `input` as a bitmap beside it (StorePictureAsBitmap) and gives the bitmap file's bytes.
// Nothing when storing failed, once the check that it left no file behind has passed.
std::optional<std::string> StoreAsBitmap(const PictureInput& input, PictureFormat format);

// The pixels of a bitmap that a reader of ours stored; fails when it is not laid out as BmpWriter
// writes.
test::BmpPixels PixelsOfStored(const std::string& bitmap);

// Decodes `input` for the preview at full size; nothing when that failed.
std::optional<PreviewPicture> DecodeForPreview(const PictureInput& input, PictureFormat format);

// What the alpha byte of a 32-bit bitmap means to the preview: alpha where a reader of ours wrote
// the bitmap, nothing where the preview reads a BMP file (it shows those pixels opaque).
enum class BitmapAlpha { kAlpha, kUnused };

// Fails unless `preview` is `bitmap`'s size and shows its pixels: palette indices as their
// colours (black beyond the palette), 24-bit pixels opaque, 32-bit pixels as `alpha` says.
void ExpectPreviewShows(const PreviewPicture& preview, const test::BmpPixels& bitmap,
                        BitmapAlpha alpha);

// The whole check of a format whose stored bitmap and preview come from the same reader (GIF,
// PNG, TIFF): storing and previewing fail alike or succeed alike, and then the bitmap is of the
// reader's pixel format and the preview shows it pixel for pixel.
void CheckStoredAndShownAlike(const PictureInput& input, PictureFormat format);

}  // namespace lintavo::fuzz
