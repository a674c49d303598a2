#include "support/TestPictures.h"

#include <gif_lib.h>
#include <png.h>
#include <tiffio.h>
#include <zlib.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <utility>

#include "support/LittleEndianBytes.h"

namespace lintavo::test {

namespace {

// Packs samples of `bits` bits into bytes as PNG and TIFF store them: the first sample in the
// highest bits, 16-bit samples high byte first.
std::vector<std::uint8_t> PackRow(const std::uint16_t* samples, std::size_t count, int bits) {
  std::vector<std::uint8_t> bytes((count * static_cast<std::size_t>(bits) + 7) / 8);
  for (std::size_t i = 0; i < count; ++i) {
    if (bits == 16) {
      bytes[2 * i] = static_cast<std::uint8_t>(samples[i] >> 8);
      bytes[2 * i + 1] = static_cast<std::uint8_t>(samples[i]);
      continue;
    }
    const std::size_t bit = i * static_cast<std::size_t>(bits);
    bytes[bit / 8] |= static_cast<std::uint8_t>(samples[i] << (8 - bits - bit % 8));
  }
  return bytes;
}

int ChannelsOf(int colourType) {
  switch (colourType) {
    case PNG_COLOR_TYPE_GRAY_ALPHA:
      return 2;
    case PNG_COLOR_TYPE_RGB:
      return 3;
    case PNG_COLOR_TYPE_RGB_ALPHA:
      return 4;
    default:
      return 1;
  }
}

void AppendPngBytes(png_structp png, png_bytep data, std::size_t size) {
  static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data), size);
}

void FlushNothing(png_structp) {}

int AppendGifBytes(GifFileType* gif, const GifByteType* data, int size) {
  static_cast<std::string*>(gif->UserData)
      ->append(reinterpret_cast<const char*>(data), static_cast<std::size_t>(size));
  return size;
}

struct ColourMapDeleter {
  void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};
using ColourMap = std::unique_ptr<ColorMapObject, ColourMapDeleter>;

// giflib's colour tables have a power of two entries; tests give them so.
ColourMap MakeColourMap(const std::vector<Rgb>& colours) {
  if (colours.empty()) {
    return nullptr;
  }
  std::vector<GifColorType> entries;
  for (const Rgb& colour : colours) {
    entries.push_back({colour.red, colour.green, colour.blue});
  }
  ColourMap map(GifMakeMapObject(static_cast<int>(entries.size()), entries.data()));
  if (map == nullptr) {
    throw std::runtime_error("a GIF colour table needs a power of two entries");
  }
  return map;
}

void Check(bool done, const char* what) {
  if (!done) {
    throw std::runtime_error(what);
  }
}

}  // namespace

std::string MakePng(const PngPicture& picture) {
  std::string bytes;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png)) != 0) {
    png_destroy_write_struct(&png, &info);
    throw std::runtime_error("libpng could not write the test picture");
  }
  png_set_write_fn(png, &bytes, AppendPngBytes, FlushNothing);
  png_set_IHDR(png, info, static_cast<png_uint_32>(picture.width),
               static_cast<png_uint_32>(picture.height), picture.bitDepth, picture.colourType,
               picture.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  std::vector<png_color> palette;
  for (const Rgb& colour : picture.palette) {
    palette.push_back({colour.red, colour.green, colour.blue});
  }
  if (!palette.empty()) {
    png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
  }
  if (!picture.paletteAlpha.empty()) {
    png_set_tRNS(png, info, picture.paletteAlpha.data(),
                 static_cast<int>(picture.paletteAlpha.size()), nullptr);
  }
  if (picture.transparentColour) {
    const std::vector<std::uint16_t>& colour = *picture.transparentColour;
    png_color_16 transparent{};
    transparent.gray = colour[0];
    if (colour.size() == 3) {
      transparent.red = colour[0];
      transparent.green = colour[1];
      transparent.blue = colour[2];
    }
    png_set_tRNS(png, info, nullptr, 0, &transparent);
  }
  png_write_info(png, info);

  const auto samplesPerRow = static_cast<std::size_t>(picture.width) *
                             static_cast<std::size_t>(ChannelsOf(picture.colourType));
  std::vector<std::vector<std::uint8_t>> rows;
  std::vector<png_bytep> rowPointers;
  for (int y = 0; y < picture.height; ++y) {
    rows.push_back(PackRow(picture.samples.data() + static_cast<std::size_t>(y) * samplesPerRow,
                           samplesPerRow, picture.bitDepth));
  }
  for (auto& row : rows) {
    rowPointers.push_back(row.data());
  }
  png_set_interlace_handling(png);
  png_write_image(png, rowPointers.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return bytes;
}

void SetClaimedPngSize(std::string& png, std::uint32_t width, std::uint32_t height) {
  constexpr std::size_t kTypeAt = 12;  // after the signature and the chunk's length
  constexpr std::size_t kDataSize = 13;
  Check(png.compare(kTypeAt, 4, "IHDR") == 0, "the PNG does not start with IHDR");
  for (int i = 0; i < 4; ++i) {
    png[kTypeAt + 4 + static_cast<std::size_t>(i)] = static_cast<char>(width >> (24 - 8 * i));
    png[kTypeAt + 8 + static_cast<std::size_t>(i)] = static_cast<char>(height >> (24 - 8 * i));
  }
  const auto* chunk = reinterpret_cast<const Bytef*>(png.data() + kTypeAt);
  const uLong checksum = crc32(crc32(0, nullptr, 0), chunk, 4 + kDataSize);
  for (int i = 0; i < 4; ++i) {
    png[kTypeAt + 4 + kDataSize + static_cast<std::size_t>(i)] =
        static_cast<char>(checksum >> (24 - 8 * i));
  }
}

std::string MakeGif(const GifPicture& picture) {
  std::string bytes;
  int error = 0;
  GifFileType* gif = EGifOpen(&bytes, AppendGifBytes, &error);
  Check(gif != nullptr, "giflib could not start the test picture");
  EGifSetGifVersion(gif, true);
  const ColourMap global = MakeColourMap(picture.colours);
  Check(EGifPutScreenDesc(gif, picture.width, picture.height, 8, picture.background,
                          global.get()) == GIF_OK,
        "giflib could not write the screen");
  for (const GifFrame& frame : picture.frames) {
    // Each frame shown for a tenth of a second, as an animation's frames are.
    const GifByteType control[4] = {0, 10, 0, 0};
    Check(EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, control) == GIF_OK,
          "giflib could not write a frame's control");
    const ColourMap local = MakeColourMap(frame.colours);
    Check(EGifPutImageDesc(gif, frame.left, frame.top, frame.width, frame.height, frame.interlaced,
                           local.get()) == GIF_OK,
          "giflib could not write a frame");
    std::vector<int> order;
    if (frame.interlaced) {
      for (const auto& [first, step] : {std::pair{0, 8}, {4, 8}, {2, 4}, {1, 2}}) {
        for (int y = first; y < frame.height; y += step) {
          order.push_back(y);
        }
      }
    } else {
      for (int y = 0; y < frame.height; ++y) {
        order.push_back(y);
      }
    }
    for (const int y : order) {
      std::vector<GifPixelType> row(
          frame.indices.begin() + static_cast<std::ptrdiff_t>(y) * frame.width,
          frame.indices.begin() + static_cast<std::ptrdiff_t>(y + 1) * frame.width);
      Check(EGifPutLine(gif, row.data(), frame.width) == GIF_OK, "giflib could not write a row");
    }
  }
  Check(EGifCloseFile(gif, &error) == GIF_OK, "giflib could not finish the test picture");
  return bytes;
}

std::string WithoutGlobalColourTable(const std::string& gif) {
  constexpr std::size_t kFlagsAt = 10;  // in the logical screen descriptor
  constexpr std::size_t kTableAt = 13;
  const auto flags = static_cast<std::uint8_t>(gif.at(kFlagsAt));
  Check((flags & 0x80) != 0, "the GIF has no global colour table");
  std::string without = gif;
  without.erase(kTableAt, std::size_t{3} << ((flags & 7) + 1));
  without[kFlagsAt] = static_cast<char>(flags & 0x7F);
  return without;
}

void WriteTiff(const std::string& path, const TiffPicture& picture) {
  TIFF* tiff = TIFFOpen(path.c_str(), "w");
  Check(tiff != nullptr, "libtiff could not create the test picture");
  const auto width = static_cast<std::uint32_t>(picture.width);
  const auto height = static_cast<std::uint32_t>(picture.height);
  TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, width);
  TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, height);
  TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, picture.samplesPerPixel);
  TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, picture.bitsPerSample);
  TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, picture.photometric);
  TIFFSetField(tiff, TIFFTAG_COMPRESSION, picture.compression);
  TIFFSetField(tiff, TIFFTAG_ORIENTATION, picture.orientation);
  TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
  if (picture.photometric == PHOTOMETRIC_RGB && picture.samplesPerPixel == 4) {
    const std::uint16_t alpha[] = {EXTRASAMPLE_UNASSALPHA};
    TIFFSetField(tiff, TIFFTAG_EXTRASAMPLES, 1, alpha);
  }
  const std::size_t rowBytes =
      (std::size_t{width} *
           static_cast<std::size_t>(picture.samplesPerPixel * picture.bitsPerSample) +
       7) /
      8;
  Check(picture.bytes.size() == rowBytes * height, "the test picture's bytes do not fit its size");
  if (picture.tileSize > 0) {
    const auto tile = static_cast<std::uint32_t>(picture.tileSize);
    TIFFSetField(tiff, TIFFTAG_TILEWIDTH, tile);
    TIFFSetField(tiff, TIFFTAG_TILELENGTH, tile);
    const std::size_t bytesPerPixel = rowBytes / width;  // tiles are made of whole bytes only
    for (std::uint32_t top = 0; top < height; top += tile) {
      for (std::uint32_t left = 0; left < width; left += tile) {
        std::vector<std::uint8_t> data(std::size_t{tile} * tile * bytesPerPixel);
        for (std::uint32_t y = 0; y < tile && top + y < height; ++y) {
          for (std::uint32_t x = 0; x < tile && left + x < width; ++x) {
            for (std::size_t b = 0; b < bytesPerPixel; ++b) {
              data[(std::size_t{y} * tile + x) * bytesPerPixel + b] =
                  picture.bytes[(top + y) * rowBytes + (left + x) * bytesPerPixel + b];
            }
          }
        }
        Check(TIFFWriteTile(tiff, data.data(), left, top, 0, 0) >= 0,
              "libtiff could not write a tile");
      }
    }
  } else {
    TIFFSetField(
        tiff, TIFFTAG_ROWSPERSTRIP,
        picture.rowsPerStrip > 0 ? static_cast<std::uint32_t>(picture.rowsPerStrip) : height);
    std::vector<std::uint8_t> row(rowBytes);
    for (std::uint32_t y = 0; y < height; ++y) {
      std::copy(picture.bytes.begin() + static_cast<std::ptrdiff_t>(y * rowBytes),
                picture.bytes.begin() + static_cast<std::ptrdiff_t>((y + 1) * rowBytes),
                row.begin());
      Check(TIFFWriteScanline(tiff, row.data(), y, 0) >= 0, "libtiff could not write a row");
    }
  }
  TIFFClose(tiff);
}

std::string TiffClaimingSize(std::uint32_t width, std::uint32_t height) {
  struct Entry {
    std::uint16_t tag;
    std::uint16_t type;  // 3 SHORT, 4 LONG
    std::uint32_t value;
  };
  const std::uint64_t stripBytes = std::uint64_t{width} * height;
  const Entry entries[] = {
      {256, 4, width},   // ImageWidth
      {257, 4, height},  // ImageLength
      {258, 3, 8},       // BitsPerSample
      {259, 3, 1},       // Compression: none
      {262, 3, 1},       // PhotometricInterpretation: black is zero
      {273, 4, 8},       // StripOffsets: into the header
      {277, 3, 1},       // SamplesPerPixel
      {278, 4, height},  // RowsPerStrip
      {279, 4, static_cast<std::uint32_t>(std::min<std::uint64_t>(stripBytes, 0xFFFFFFFF))},
  };
  std::string bytes = "II*";
  bytes += '\0';
  AppendLittleEndian(bytes, 8, 4);  // the first directory follows the header
  AppendLittleEndian(bytes, std::size(entries), 2);
  for (const Entry& entry : entries) {
    AppendLittleEndian(bytes, entry.tag, 2);
    AppendLittleEndian(bytes, entry.type, 2);
    AppendLittleEndian(bytes, 1, 4);
    AppendLittleEndian(bytes, entry.value, 4);
  }
  AppendLittleEndian(bytes, 0, 4);  // no further directory
  return bytes;
}

}  // namespace lintavo::test
