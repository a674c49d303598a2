#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Small pictures of every format the background dialog takes, made in memory by the libraries the
// program reads them with, so each test states its pixels beside its expectations.
namespace lintavo::test {

struct Rgb {
  std::uint8_t red = 0, green = 0, blue = 0;
};

struct PngPicture {
  int width = 0;
  int height = 0;
  int colourType = 0;  // PNG_COLOR_TYPE_...
  int bitDepth = 8;
  bool interlaced = false;
  // Every sample, row by row, pixel by pixel, channel by channel (palette indices for palette
  // pictures), each as many bits as bitDepth says.
  std::vector<std::uint16_t> samples{};
  std::vector<Rgb> palette{};
  std::vector<std::uint8_t> paletteAlpha{};  // tRNS of a palette picture
  // tRNS of a gray (first value) or colour picture: the colour shown transparent.
  std::optional<std::vector<std::uint16_t>> transparentColour{};
};
std::string MakePng(const PngPicture& picture);

// Overwrites the size in the IHDR chunk of `png`, with the chunk's checksum made to match.
void SetClaimedPngSize(std::string& png, std::uint32_t width, std::uint32_t height);

struct GifFrame {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool interlaced = false;
  std::vector<Rgb> colours{};           // the frame's own colour table; none when empty
  std::vector<std::uint8_t> indices{};  // row by row
};
struct GifPicture {
  int width = 0;
  int height = 0;
  std::vector<Rgb> colours{};  // the global colour table; none when empty
  int background = 0;
  std::vector<GifFrame> frames{};
};
std::string MakeGif(const GifPicture& picture);

// A GIF as MakeGif makes it, but with its global colour table taken out.
std::string WithoutGlobalColourTable(const std::string& gif);

struct TiffPicture {
  int width = 0;
  int height = 0;
  int samplesPerPixel = 3;
  int bitsPerSample = 8;
  int photometric = 2;   // PHOTOMETRIC_RGB
  int compression = 1;   // COMPRESSION_NONE
  int orientation = 1;   // ORIENTATION_TOPLEFT
  int rowsPerStrip = 0;  // 0: the whole picture in one strip
  int tileSize = 0;      // > 0: square tiles of this size instead of strips
  // The stored bytes, row by row as TIFF packs them (rows of less than a byte padded to one).
  std::vector<std::uint8_t> bytes{};
};
// Writes the picture with libtiff into a file at `path`.
void WriteTiff(const std::string& path, const TiffPicture& picture);

// A TIFF file of a few dozen bytes whose header claims a picture of `width` x `height` 8-bit RGB
// pixels in one uncompressed strip that is not there.
std::string TiffClaimingSize(std::uint32_t width, std::uint32_t height);

}  // namespace lintavo::test
