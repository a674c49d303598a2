#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <tiffio.h>

#include <ostream>
#include <string>
#include <vector>

#include "PictureTesting.h"
#include "base/Failure.h"
#include "support/TestPictures.h"

namespace lintavo {
namespace {

using test::ByteList;
using test::Bytes;
using test::TempFolder;
using test::TiffPicture;
using ::testing::ElementsAre;
using ::testing::ThrowsMessage;

test::BmpPixels StoreTiff(const TempFolder& folder, const TiffPicture& picture) {
  const std::string source = folder / "picture.tif";
  test::WriteTiff(source, picture);
  const std::string dest = folder / "stored.bmp";
  StorePictureAsBitmap(source, PictureFormat::kTiff, dest);
  return test::ReadBmpPixels(test::ReadFileBytes(dest));
}

// Three rows of two RGB pixels, every row different: row y holds (y, 10 + y, 20 + y) and
// (30 + y, 40 + y, 50 + y).
Bytes ThreeRowsRgb() {
  Bytes bytes;
  for (int y = 0; y < 3; ++y) {
    for (const int base : {0, 30}) {
      bytes.insert(bytes.end(),
                   {static_cast<std::uint8_t>(base + y), static_cast<std::uint8_t>(base + 10 + y),
                    static_cast<std::uint8_t>(base + 20 + y)});
    }
  }
  return bytes;
}

// The same rows as the BMP holds them: blue, green, red, alpha.
Bytes ThreeRowsBgraRow(int y) {
  return ByteList({20 + y, 10 + y, y, 255, 50 + y, 40 + y, 30 + y, 255});
}

TEST(TiffPictureTest, StoresTheTopRowOfTheTiffAsTheTopRowOfTheBitmap) {
  TempFolder folder;

  const test::BmpPixels bitmap = StoreTiff(folder, {2, 3, 3, 8, PHOTOMETRIC_RGB, COMPRESSION_NONE,
                                                    ORIENTATION_TOPLEFT, 0, 0, ThreeRowsRgb()});

  EXPECT_EQ(bitmap.header.bitsPerPixel, 32);
  EXPECT_THAT(bitmap.rows,
              ElementsAre(ThreeRowsBgraRow(0), ThreeRowsBgraRow(1), ThreeRowsBgraRow(2)));
}

TEST(TiffPictureTest, StoresARedPixelAsBlueZeroGreenZeroRed255) {
  TempFolder folder;

  const test::BmpPixels bitmap =
      StoreTiff(folder, {1, 1, 3, 8, PHOTOMETRIC_RGB, COMPRESSION_NONE, ORIENTATION_TOPLEFT, 0, 0,
                         ByteList({255, 0, 0})});

  EXPECT_THAT(bitmap.rows, ElementsAre(ByteList({0, 0, 255, 255})));
}

TEST(TiffPictureTest, TurnsAPictureStoredBottomRowFirstTheRightWayUp) {
  TempFolder folder;

  const test::BmpPixels bitmap = StoreTiff(folder, {2, 3, 3, 8, PHOTOMETRIC_RGB, COMPRESSION_NONE,
                                                    ORIENTATION_BOTLEFT, 0, 0, ThreeRowsRgb()});

  EXPECT_THAT(bitmap.rows,
              ElementsAre(ThreeRowsBgraRow(2), ThreeRowsBgraRow(1), ThreeRowsBgraRow(0)));
}

// A picture whose pixel (x, y) is (x, y, x + y), in many strips or tiles, so that a strip or a
// tile out of place, or read twice, shows.
struct LayoutCase {
  const char* name;
  int width;
  int height;
  int compression;
  int orientation;
  int rowsPerStrip;
  int tileSize;
};

void PrintTo(const LayoutCase& c, std::ostream* out) {
  *out << c.name;
}

Bytes GradientRgb(int width, int height) {
  Bytes bytes;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      bytes.insert(bytes.end(), {static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y),
                                 static_cast<std::uint8_t>(x + y)});
    }
  }
  return bytes;
}

class TiffLayoutTest : public testing::TestWithParam<LayoutCase> {};

TEST_P(TiffLayoutTest, GivesEveryPixelInItsPlace) {
  const LayoutCase& c = GetParam();
  TempFolder folder;

  const test::BmpPixels bitmap =
      StoreTiff(folder, {c.width, c.height, 3, 8, PHOTOMETRIC_RGB, c.compression, c.orientation,
                         c.rowsPerStrip, c.tileSize, GradientRgb(c.width, c.height)});

  // Stored bottom row first, the file's first row is the picture's last.
  const bool flipped = c.orientation == ORIENTATION_BOTLEFT;
  ASSERT_EQ(bitmap.rows.size(), static_cast<std::size_t>(c.height));
  for (int y = 0; y < c.height; ++y) {
    const int fileRow = flipped ? c.height - 1 - y : y;
    Bytes expected;
    for (int x = 0; x < c.width; ++x) {
      expected.insert(expected.end(),
                      {static_cast<std::uint8_t>(x + fileRow), static_cast<std::uint8_t>(fileRow),
                       static_cast<std::uint8_t>(x), 255});
    }
    ASSERT_EQ(bitmap.rows[static_cast<std::size_t>(y)], expected) << "row " << y;
  }
}

// 700 rows of 400 pixels take 1.1 MB, more than one block of rows: the strips and tiles stream
// through in several, and strips of 3 or 7 rows straddle the blocks' edges.
INSTANTIATE_TEST_SUITE_P(
    Layouts, TiffLayoutTest,
    testing::Values(
        LayoutCase{"OneStrip", 400, 700, COMPRESSION_NONE, ORIENTATION_TOPLEFT, 0, 0},
        LayoutCase{"StripsOf3Rows", 400, 700, COMPRESSION_NONE, ORIENTATION_TOPLEFT, 3, 0},
        LayoutCase{"LzwStripsOf7Rows", 400, 700, COMPRESSION_LZW, ORIENTATION_TOPLEFT, 7, 0},
        LayoutCase{"LzwOneStrip", 400, 700, COMPRESSION_LZW, ORIENTATION_TOPLEFT, 0, 0},
        LayoutCase{"DeflateBottomRowFirst", 400, 700, COMPRESSION_ADOBE_DEFLATE,
                   ORIENTATION_BOTLEFT, 5, 0},
        LayoutCase{"Tiles16", 400, 700, COMPRESSION_NONE, ORIENTATION_TOPLEFT, 0, 16},
        LayoutCase{"LzwTiles32BottomRowFirst", 70, 45, COMPRESSION_LZW, ORIENTATION_BOTLEFT, 0,
                   32}),
    [](const testing::TestParamInfo<LayoutCase>& test) { return test.param.name; });

TEST(TiffPictureTest, StoresABilevelPictureInBlackAndWhite) {
  TempFolder folder;
  // 10 pixels a row, packed into two bytes: 1 is white.
  const test::BmpPixels bitmap =
      StoreTiff(folder, {10, 2, 1, 1, PHOTOMETRIC_MINISBLACK, COMPRESSION_NONE, ORIENTATION_TOPLEFT,
                         0, 0, ByteList({0b10110000, 0b01000000, 0xFF, 0xC0})});

  const Bytes black = {0, 0, 0, 255};
  const Bytes white = {255, 255, 255, 255};
  Bytes first;
  for (const Bytes* pixel :
       {&white, &black, &white, &white, &black, &black, &black, &black, &black, &white}) {
    first.insert(first.end(), pixel->begin(), pixel->end());
  }
  Bytes second;
  for (int x = 0; x < 10; ++x) {
    second.insert(second.end(), white.begin(), white.end());
  }
  EXPECT_THAT(bitmap.rows, ElementsAre(first, second));
}

TEST(TiffPictureTest, TurnsCmykInksIntoColour) {
  TempFolder folder;
  // libtiff's conversion: each colour is (255 - black) * (255 - its ink) / 255, rounded down.
  const test::BmpPixels bitmap =
      StoreTiff(folder, {3, 1, 4, 8, PHOTOMETRIC_SEPARATED, COMPRESSION_NONE, ORIENTATION_TOPLEFT,
                         0, 0, ByteList({255, 0, 0, 0, 0, 255, 0, 127, 0, 0, 0, 0})});

  EXPECT_THAT(bitmap.rows,
              ElementsAre(ByteList({255, 255, 0, 255, 128, 0, 128, 255, 255, 255, 255, 255})));
}

TEST(TiffPictureTest, RefusesAPictureClaimingMoreThanTheDecodeLimit) {
  TempFolder folder;
  const std::string source = folder / "huge.tif";
  test::WriteFileBytes(source, test::TiffClaimingSize(100000, 100000));

  EXPECT_THAT([&] { StorePictureAsBitmap(source, PictureFormat::kTiff, folder / "stored.bmp"); },
              ThrowsMessage<Failure>("The picture \"" + source +
                                     "\" is too large: 100000 x 100000 pixels take more than "
                                     "512 MB"));
}

TEST(TiffPictureTest, StoresAPictureItCannotConvertAsZeroPixels) {
  TempFolder folder;
  // libtiff's RGBA reading takes no RGB picture with only two samples per pixel;
  // TIFFReadRGBAImage then leaves its raster as it is.
  const test::BmpPixels bitmap = StoreTiff(folder, {2, 1, 2, 8, PHOTOMETRIC_RGB, COMPRESSION_NONE,
                                                    ORIENTATION_TOPLEFT, 0, 0, Bytes(4, 0x55)});

  EXPECT_THAT(bitmap.rows, ElementsAre(Bytes(8, 0)));
}

// The oracle: TIFFReadRGBAImage itself, red and blue swapped, rows top first.
std::vector<Bytes> ReadRgbaImage(const std::string& path) {
  TIFFSetErrorHandler(nullptr);
  TIFFSetWarningHandler(nullptr);
  TIFF* tiff = TIFFOpen(path.c_str(), "r");
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &width);
  TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &height);
  std::vector<std::uint32_t> raster(std::size_t{width} * height, 0);
  TIFFReadRGBAImage(tiff, width, height, raster.data(), 0);
  TIFFClose(tiff);
  std::vector<Bytes> rows;
  for (std::uint32_t y = 0; y < height; ++y) {
    Bytes row;
    for (std::uint32_t x = 0; x < width; ++x) {
      const std::uint32_t pixel = raster[(height - 1 - y) * width + x];
      row.insert(
          row.end(),
          {static_cast<std::uint8_t>(TIFFGetB(pixel)), static_cast<std::uint8_t>(TIFFGetG(pixel)),
           static_cast<std::uint8_t>(TIFFGetR(pixel)), static_cast<std::uint8_t>(TIFFGetA(pixel))});
    }
    rows.push_back(row);
  }
  return rows;
}

TEST(TiffPictureTest, KeepsWhatTiffReadRgbaImageMakesOfAPictureCutShort) {
  TempFolder folder;
  const std::string whole = folder / "whole.tif";
  // 2100 rows of 400 pixels: the first blocks of rows are handed over before the reading fails.
  test::WriteTiff(whole, {400, 2100, 3, 8, PHOTOMETRIC_RGB, COMPRESSION_LZW, ORIENTATION_TOPLEFT,
                          50, 0, GradientRgb(400, 2100)});
  const std::string bytes = test::ReadFileBytes(whole);
  // The strips come first, the directory last: cutting into the strips keeps the directory only
  // when it is put back, so the strips after the cut read as beyond the file's end.
  const std::string source = folder / "cut.tif";
  const std::size_t cut = bytes.size() / 3;
  test::WriteFileBytes(source, bytes.substr(0, cut));

  std::uint32_t directory = 0;
  for (int i = 0; i < 4; ++i) {
    directory |= std::uint32_t{static_cast<std::uint8_t>(bytes[4 + static_cast<std::size_t>(i)])}
                 << (8 * i);
  }
  ASSERT_GT(directory, cut) << "the directory must follow the strips";
  std::string cutWithDirectory = bytes;
  // The strips from the cut on are overwritten with zeros, so they no longer decode.
  std::fill(cutWithDirectory.begin() + static_cast<std::ptrdiff_t>(cut),
            cutWithDirectory.begin() + static_cast<std::ptrdiff_t>(directory), '\0');
  test::WriteFileBytes(source, cutWithDirectory);
  const std::string dest = folder / "stored.bmp";

  StorePictureAsBitmap(source, PictureFormat::kTiff, dest);

  EXPECT_EQ(test::ReadBmpPixels(test::ReadFileBytes(dest)).rows, ReadRgbaImage(source));
}

}  // namespace
}  // namespace lintavo
