#include "codecs/TiffReader.h"

#include <tiffio.h>

#include <algorithm>
#include <cstdarg>
#include <memory>
#include <new>
#include <vector>

#include "base/Failure.h"
#include "codecs/PictureFailures.h"
#include "codecs/PictureFile.h"

namespace lintavo {

namespace {

constexpr int kGoOnPastErrors = 0;  // TIFFReadRGBAImage's `stop` argument
constexpr std::size_t kBytesPerPixel = 4;

[[noreturn]] void FailToCreateBuffer() {
  throw Failure("Unable to create TBitmap buffer");
}

// The picture opened by libtiff, its messages caught: none is shown, and whether any came since
// ForgetMessages tells whether the image read cleanly.
class TiffPicture {
 public:
  explicit TiffPicture(const std::string& path) {
    // Only a plain file is handed to libtiff: a pipe in a picture's place would hang it.
    PictureFile file;
    if (file.Open(path) != 0) {
      FailToOpen(path);
    }
    TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
    if (options == nullptr) {
      throw std::bad_alloc();
    }
    TIFFOpenOptionsSetErrorHandlerExtR(options, OnMessage, this);
    TIFFOpenOptionsSetWarningHandlerExtR(options, OnMessage, this);
    // No single buffer of libtiff's may take more than a decoded picture may.
    TIFFOpenOptionsSetMaxSingleMemAlloc(options, static_cast<tmsize_t>(kMaxDecodedBytes));
    // libtiff opens the file itself, so that it can map it: reading through a stream of ours,
    // it refuses some valid pictures (uncompressed tiles read unmapped fail their size check).
    tiff_ = TIFFOpenExt(path.c_str(), "r", options);
    TIFFOpenOptionsFree(options);
    if (tiff_ == nullptr) {
      FailToOpen(path);
    }
    ForgetMessages();  // warnings about the directory say nothing about the pixels
  }
  TiffPicture(const TiffPicture&) = delete;
  TiffPicture& operator=(const TiffPicture&) = delete;
  ~TiffPicture() { TIFFClose(tiff_); }

  TIFF* Get() const { return tiff_; }
  bool HeardMessages() const { return heardMessages_; }
  void ForgetMessages() { heardMessages_ = false; }

 private:
  [[noreturn]] static void FailToOpen(const std::string& path) {
    throw Failure("Unable to open file '" + path + "'");
  }

  static int OnMessage(TIFF*, void* self, const char*, const char*, va_list) {
    static_cast<TiffPicture*>(self)->heardMessages_ = true;
    return 1;  // handled: libtiff prints nothing
  }

  bool heardMessages_ = false;
  TIFF* tiff_ = nullptr;
};

// Turns libtiff's packed pixels (TIFFGetR...) into bytes blue, green, red, alpha, in place.
std::uint8_t* AsBgraBytes(std::uint32_t* pixels, std::size_t count) {
  auto* bytes = reinterpret_cast<std::uint8_t*>(pixels);
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint32_t pixel = pixels[i];
    std::uint8_t* to = bytes + i * kBytesPerPixel;
    to[0] = static_cast<std::uint8_t>(TIFFGetB(pixel));
    to[1] = static_cast<std::uint8_t>(TIFFGetG(pixel));
    to[2] = static_cast<std::uint8_t>(TIFFGetR(pixel));
    to[3] = static_cast<std::uint8_t>(TIFFGetA(pixel));
  }
  return bytes;
}

std::vector<std::uint32_t> ZeroPixels(std::size_t count) {
  try {
    return std::vector<std::uint32_t>(count, 0);
  } catch (const std::bad_alloc&) {
    FailToCreateBuffer();
  }
}

// Asked for the bottom row first, TIFFRGBAImageGet turns the rows of each call upside down for a
// picture stored top row first, and keeps them for one stored bottom row first (libtiff's
// setorientation; the rotated orientations count as their unrotated neighbours).
bool StoredTopRowFirst(std::uint16_t orientation) {
  switch (orientation) {
    case ORIENTATION_TOPLEFT:
    case ORIENTATION_LEFTTOP:
    case ORIENTATION_TOPRIGHT:
    case ORIENTATION_RIGHTTOP:
      return true;
    default:
      return false;
  }
}

// How many rows one call of TIFFRGBAImageGet takes: whole strips or rows of tiles, as many as make
// a block. Each call decodes the strips and tiles it touches from their start, so a call never
// takes part of one.
int RowsPerCall(TIFF* tiff, const BitmapLayout& layout) {
  std::uint32_t unit = 0;
  if (TIFFIsTiled(tiff)) {
    TIFFGetField(tiff, TIFFTAG_TILELENGTH, &unit);
  } else {
    TIFFGetFieldDefaulted(tiff, TIFFTAG_ROWSPERSTRIP, &unit);
  }
  const auto height = static_cast<std::uint32_t>(layout.height);
  unit = std::clamp<std::uint32_t>(unit, 1, height);
  const std::uint32_t units = std::max<std::uint32_t>(
      1, static_cast<std::uint32_t>(RowsPerBlock(layout.RowStride(), layout.height)) / unit);
  return static_cast<int>(std::min<std::uint64_t>(std::uint64_t{unit} * units, height));
}

// What TIFFReadRGBAImage gives for an image it cannot convert: the untouched, zeroed raster.
void PutZeroRows(const BitmapLayout& layout, PictureSink& sink) {
  const int blockRows = RowsPerBlock(layout.RowStride(), layout.height);
  const std::vector<std::uint8_t> block(layout.RowStride() * static_cast<std::size_t>(blockRows));
  for (int top = 0; top < layout.height; top += blockRows) {
    sink.PutRows(top, block.data(), std::min(blockRows, layout.height - top));
  }
}

// Hands the image to the sink a few strips or tiles at a time; pixels a call cannot read stay
// zero, as in TIFFReadRGBAImage's raster. False when libtiff reported anything on the way, and
// the result may differ from TIFFReadRGBAImage's.
bool StreamImage(TiffPicture& picture, const BitmapLayout& layout, PictureSink& sink) {
  TIFF* tiff = picture.Get();
  char message[1024] = "";
  TIFFRGBAImage image{};
  if (TIFFRGBAImageOK(tiff, message) == 0 ||
      TIFFRGBAImageBegin(&image, tiff, kGoOnPastErrors, message) == 0) {
    PutZeroRows(layout, sink);
    return true;
  }
  const auto width = static_cast<std::size_t>(layout.width);
  const int callRows = RowsPerCall(tiff, layout);
  const bool topRowFirst = StoredTopRowFirst(image.orientation);
  std::vector<std::uint32_t> block = ZeroPixels(width * static_cast<std::size_t>(callRows));
  bool clean = true;
  for (int row = 0; row < layout.height; row += callRows) {
    const int count = std::min(callRows, layout.height - row);
    image.row_offset = row;
    image.col_offset = 0;
    if (!clean) {
      std::fill(block.begin(), block.end(), 0);
    }
    clean = TIFFRGBAImageGet(&image, block.data(), image.width,
                             static_cast<std::uint32_t>(count)) != 0 &&
            !picture.HeardMessages() && clean;
    // Stored top row first, the call covers the picture's rows from `row` down; stored bottom
    // row first, it covers as many rows up from the bottom.
    const int topRow = topRowFirst ? row : layout.height - row - count;
    sink.PutRows(topRow, AsBgraBytes(block.data(), width * static_cast<std::size_t>(count)), count);
  }
  TIFFRGBAImageEnd(&image);
  return clean;
}

// Whether the image is the common kind whose strips TIFFRGBAImage only repacks: 8-bit RGB, three
// samples interleaved, in strips, stored top row first. (Old-style JPEG is left to TIFFRGBAImage,
// whose reading of it sets up colour handling of its own.)
bool IsPlainRgbInStrips(TIFF* tiff) {
  std::uint16_t photometric = 0;
  std::uint16_t bitsPerSample = 0;
  std::uint16_t samplesPerPixel = 0;
  std::uint16_t planarConfig = 0;
  std::uint16_t orientation = 0;
  std::uint16_t compression = 0;
  return TIFFGetField(tiff, TIFFTAG_PHOTOMETRIC, &photometric) == 1 &&
         photometric == PHOTOMETRIC_RGB && TIFFIsTiled(tiff) == 0 &&
         TIFFGetFieldDefaulted(tiff, TIFFTAG_BITSPERSAMPLE, &bitsPerSample) == 1 &&
         bitsPerSample == 8 &&
         TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLESPERPIXEL, &samplesPerPixel) == 1 &&
         samplesPerPixel == 3 &&
         TIFFGetFieldDefaulted(tiff, TIFFTAG_PLANARCONFIG, &planarConfig) == 1 &&
         planarConfig == PLANARCONFIG_CONTIG &&
         TIFFGetFieldDefaulted(tiff, TIFFTAG_ORIENTATION, &orientation) == 1 &&
         orientation == ORIENTATION_TOPLEFT &&
         TIFFGetFieldDefaulted(tiff, TIFFTAG_COMPRESSION, &compression) == 1 &&
         compression != COMPRESSION_OJPEG;
}

// One row of red, green, blue bytes as blue, green, red, alpha 255: what TIFFRGBAImage makes of
// them, in BMP's order.
void RgbRowToBgra(const std::uint8_t* from, std::uint8_t* to, std::size_t width) {
  for (std::size_t x = 0; x < width; ++x, from += 3, to += kBytesPerPixel) {
    to[0] = from[2];
    to[1] = from[1];
    to[2] = from[0];
    to[3] = 255;
  }
}

// The plain RGB image (IsPlainRgbInStrips) strip by strip, each row turned straight into the
// block the sink lends, a block of rows at a time. False, with part of the picture handed over,
// as soon as a strip fails or libtiff reports anything: the picture is then read the general way.
bool StreamRgbStrips(TiffPicture& picture, const BitmapLayout& layout, PictureSink& sink) {
  TIFF* tiff = picture.Get();
  std::uint32_t rowsPerStrip = 0;
  TIFFGetFieldDefaulted(tiff, TIFFTAG_ROWSPERSTRIP, &rowsPerStrip);
  const auto height = static_cast<std::uint32_t>(layout.height);
  rowsPerStrip = std::clamp<std::uint32_t>(rowsPerStrip, 1, height);
  const auto width = static_cast<std::size_t>(layout.width);
  const std::size_t rgbStride = width * 3;
  const std::size_t stride = layout.RowStride();
  std::vector<std::uint8_t> strip;
  try {
    strip.resize(rgbStride * rowsPerStrip);
  } catch (const std::bad_alloc&) {
    FailToCreateBuffer();
  }
  const int blockRows = RowsPerBlock(stride, layout.height);
  std::vector<std::uint8_t> ownRows;
  std::uint8_t* block = nullptr;
  int blockTop = 0;
  int blockCount = 0;
  for (std::uint32_t first = 0; first < height; first += rowsPerStrip) {
    const std::uint32_t rows = std::min(rowsPerStrip, height - first);
    if (TIFFReadEncodedStrip(tiff, TIFFComputeStrip(tiff, first, 0), strip.data(),
                             static_cast<tmsize_t>(rgbStride * rows)) < 0 ||
        picture.HeardMessages()) {
      return false;
    }
    for (std::uint32_t i = 0; i < rows; ++i) {
      const int row = static_cast<int>(first + i);
      if (block == nullptr) {
        blockTop = row;
        blockCount = std::min(blockRows, layout.height - row);
        block = RowsToFill(sink, layout, blockCount, ownRows);
      }
      // The block holds its bottom row first.
      const int blockRow = blockCount - 1 - (row - blockTop);
      RgbRowToBgra(strip.data() + i * rgbStride,
                   block + static_cast<std::size_t>(blockRow) * stride, width);
      if (blockRow == 0) {
        sink.PutRows(blockTop, block, blockCount);
        block = nullptr;
      }
    }
  }
  return true;
}

// TIFFReadRGBAImage itself, into a picture-sized buffer.
void ReadWholeImage(TiffPicture& picture, const BitmapLayout& layout, PictureSink& sink) {
  const auto width = static_cast<std::uint32_t>(layout.width);
  const auto height = static_cast<std::uint32_t>(layout.height);
  const std::size_t count = std::size_t{width} * height;
  std::vector<std::uint32_t> raster = ZeroPixels(count);
  // What it fails to read stays as it is, zero; the result does not matter.
  TIFFReadRGBAImage(picture.Get(), width, height, raster.data(), kGoOnPastErrors);
  // The raster holds the bottom row first, as a BMP file does.
  sink.PutRows(0, AsBgraBytes(raster.data(), count), layout.height);
}

}  // namespace

void ReadTiff(const std::string& path, PictureSink& sink) {
  auto picture = std::make_unique<TiffPicture>(path);
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  TIFFGetField(picture->Get(), TIFFTAG_IMAGEWIDTH, &width);
  TIFFGetField(picture->Get(), TIFFTAG_IMAGELENGTH, &height);
  if (width == 0 || height == 0) {
    FailToCreateBuffer();
  }
  if (!FitsDecodeLimit(width, height)) {
    FailTooLarge(path, width, height);
  }
  const BitmapLayout layout{static_cast<int>(width), static_cast<int>(height), 32, {}};
  sink.Start(layout);
  // A plain RGB picture goes the short way. Should that fail on the way, TIFFRGBAImage reads it
  // as it reads any other kind, from a fresh opening, so that no state libtiff kept from the damage
  // can tell.
  if (IsPlainRgbInStrips(picture->Get())) {
    if (StreamRgbStrips(*picture, layout, sink)) {
      return;
    }
    picture = std::make_unique<TiffPicture>(path);
  }
  // A damaged picture is read again whole, as TIFFReadRGBAImage reads it, where its raster fits
  // the limit beside a preview's copy; a larger one keeps what streaming made of it.
  if (!StreamImage(*picture, layout, sink) && FitsDecodeLimit(width, 2 * std::uint64_t{height})) {
    picture = std::make_unique<TiffPicture>(path);
    ReadWholeImage(*picture, layout, sink);
  }
}

}  // namespace lintavo
