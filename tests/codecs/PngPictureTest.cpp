#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <png.h>

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
using test::PngPicture;
using test::TempFolder;
using ::testing::ThrowsMessage;

struct PngCase {
  const char* name;
  PngPicture picture;
  int bitsPerPixel;
  std::vector<std::uint32_t> palette;
  std::vector<Bytes> rows;  // top first, without padding
};

void PrintTo(const PngCase& c, std::ostream* out) {
  *out << c.name;
}

class PngPictureTest : public testing::TestWithParam<PngCase> {};

TEST_P(PngPictureTest, KeepsItsPixelFormatAndPixels) {
  const PngCase& c = GetParam();
  TempFolder folder;

  const test::BmpPixels bitmap =
      test::StoreAndRead(folder, "picture.png", test::MakePng(c.picture), PictureFormat::kPng);

  EXPECT_EQ(bitmap.header.bitsPerPixel, c.bitsPerPixel);
  EXPECT_EQ(bitmap.header.width, c.picture.width);
  EXPECT_EQ(bitmap.header.height, c.picture.height);
  EXPECT_EQ(bitmap.palette, c.palette);
  EXPECT_EQ(bitmap.rows, c.rows);
}

TEST_P(PngPictureTest, PreviewsThePixelsItStores) {
  const PngCase& c = GetParam();
  TempFolder folder;
  const test::BmpPixels bitmap =
      test::StoreAndRead(folder, "picture.png", test::MakePng(c.picture), PictureFormat::kPng);

  const PreviewPicture preview =
      DecodePictureForPreview(folder / "picture.png", PictureFormat::kPng, 544, 331);

  EXPECT_EQ(preview.width, c.picture.width);
  EXPECT_EQ(preview.height, c.picture.height);
  EXPECT_EQ(preview.pixels, test::PreviewPixelsOf(bitmap));
}

// 9 x 9 colour pixels, each different, so that every pass of an interlaced picture shows.
std::vector<std::uint16_t> NineByNineSamples() {
  std::vector<std::uint16_t> samples;
  for (int y = 0; y < 9; ++y) {
    for (int x = 0; x < 9; ++x) {
      samples.insert(samples.end(),
                     {static_cast<std::uint16_t>(x * 20), static_cast<std::uint16_t>(y * 20), 7});
    }
  }
  return samples;
}

std::vector<Bytes> NineByNineBgrRows() {
  std::vector<Bytes> rows(9);
  for (int y = 0; y < 9; ++y) {
    for (int x = 0; x < 9; ++x) {
      rows[static_cast<std::size_t>(y)].insert(
          rows[static_cast<std::size_t>(y)].end(),
          {7, static_cast<std::uint8_t>(y * 20), static_cast<std::uint8_t>(x * 20)});
    }
  }
  return rows;
}

const std::vector<test::Rgb> kThreeColours = {{255, 0, 0}, {0, 128, 0}, {1, 2, 3}};
const std::vector<std::uint32_t> kThreeColourEntries = {
    test::PaletteWord(255, 0, 0), test::PaletteWord(0, 128, 0), test::PaletteWord(1, 2, 3)};

INSTANTIATE_TEST_SUITE_P(
    Pictures, PngPictureTest,
    testing::Values(
        PngCase{"Palette8Bit",
                {.width = 3,
                 .height = 2,
                 .colourType = PNG_COLOR_TYPE_PALETTE,
                 .samples = {0, 1, 2, 2, 1, 0},
                 .palette = kThreeColours},
                8,
                kThreeColourEntries,
                {ByteList({0, 1, 2}), ByteList({2, 1, 0})}},
        // Indices of 2 bits, five to a row: unpacked to a byte each, the palette unchanged.
        PngCase{"Palette2Bit",
                {.width = 5,
                 .height = 1,
                 .colourType = PNG_COLOR_TYPE_PALETTE,
                 .bitDepth = 2,
                 .samples = {0, 1, 2, 1, 0},
                 .palette = kThreeColours},
                8,
                kThreeColourEntries,
                {ByteList({0, 1, 2, 1, 0})}},
        // A BMP palette has no alpha: the palette's transparency is dropped, the colours stay.
        PngCase{"PaletteWithTransparency",
                {.width = 2,
                 .height = 1,
                 .colourType = PNG_COLOR_TYPE_PALETTE,
                 .samples = {2, 0},
                 .palette = kThreeColours,
                 .paletteAlpha = {0, 128}},
                8,
                kThreeColourEntries,
                {ByteList({2, 0})}},
        PngCase{
            "Gray8Bit",
            {.width = 3, .height = 1, .colourType = PNG_COLOR_TYPE_GRAY, .samples = {0, 128, 255}},
            24,
            {},
            {ByteList({0, 0, 0, 128, 128, 128, 255, 255, 255})}},
        PngCase{"Gray1Bit",
                {.width = 3,
                 .height = 1,
                 .colourType = PNG_COLOR_TYPE_GRAY,
                 .bitDepth = 1,
                 .samples = {1, 0, 1}},
                24,
                {},
                {ByteList({255, 255, 255, 0, 0, 0, 255, 255, 255})}},
        // 0x12FF rounds to 19, where keeping the high byte would give 18.
        PngCase{"Gray16Bit",
                {.width = 3,
                 .height = 1,
                 .colourType = PNG_COLOR_TYPE_GRAY,
                 .bitDepth = 16,
                 .samples = {0x12FF, 0xFFFF, 0x0101}},
                24,
                {},
                {ByteList({19, 19, 19, 255, 255, 255, 1, 1, 1})}},
        PngCase{"GrayAlpha8Bit",
                {.width = 2,
                 .height = 1,
                 .colourType = PNG_COLOR_TYPE_GRAY_ALPHA,
                 .samples = {10, 255, 200, 0}},
                32,
                {},
                {ByteList({10, 10, 10, 255, 200, 200, 200, 0})}},
        PngCase{"GrayAlpha16Bit",
                {.width = 1,
                 .height = 1,
                 .colourType = PNG_COLOR_TYPE_GRAY_ALPHA,
                 .bitDepth = 16,
                 .samples = {0x8080, 0x12FF}},
                32,
                {},
                {ByteList({128, 128, 128, 19})}},
        PngCase{"Rgb8Bit",
                {.width = 2,
                 .height = 2,
                 .colourType = PNG_COLOR_TYPE_RGB,
                 .samples = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}},
                24,
                {},
                {ByteList({3, 2, 1, 6, 5, 4}), ByteList({9, 8, 7, 12, 11, 10})}},
        PngCase{"Rgb16Bit",
                {.width = 1,
                 .height = 1,
                 .colourType = PNG_COLOR_TYPE_RGB,
                 .bitDepth = 16,
                 .samples = {0xFFFF, 0x12FF, 0x0000}},
                24,
                {},
                {ByteList({0, 19, 255})}},
        PngCase{"Rgba8Bit",
                {.width = 2,
                 .height = 1,
                 .colourType = PNG_COLOR_TYPE_RGB_ALPHA,
                 .samples = {1, 2, 3, 4, 5, 6, 7, 8}},
                32,
                {},
                {ByteList({3, 2, 1, 4, 7, 6, 5, 8})}},
        PngCase{"Rgba16Bit",
                {.width = 1,
                 .height = 1,
                 .colourType = PNG_COLOR_TYPE_RGB_ALPHA,
                 .bitDepth = 16,
                 .samples = {0x0101, 0x0202, 0x0303, 0x12FF}},
                32,
                {},
                {ByteList({3, 2, 1, 19})}},
        // One colour given as transparent: the picture gets alpha, 0 for that colour only.
        PngCase{"RgbWithTransparentColour",
                {.width = 2,
                 .height = 1,
                 .colourType = PNG_COLOR_TYPE_RGB,
                 .samples = {1, 2, 3, 4, 5, 6},
                 .transparentColour = std::vector<std::uint16_t>{4, 5, 6}},
                32,
                {},
                {ByteList({3, 2, 1, 255, 6, 5, 4, 0})}},
        PngCase{"Interlaced",
                {.width = 9,
                 .height = 9,
                 .colourType = PNG_COLOR_TYPE_RGB,
                 .interlaced = true,
                 .samples = NineByNineSamples()},
                24,
                {},
                NineByNineBgrRows()},
        PngCase{"NotInterlaced",
                {.width = 9,
                 .height = 9,
                 .colourType = PNG_COLOR_TYPE_RGB,
                 .samples = NineByNineSamples()},
                24,
                {},
                NineByNineBgrRows()}),
    [](const testing::TestParamInfo<PngCase>& test) { return test.param.name; });

TEST(PngPictureDamageTest, RefusesAChunkWhoseChecksumIsWrong) {
  TempFolder folder;
  std::string png = test::MakePng(
      {.width = 2, .height = 1, .colourType = PNG_COLOR_TYPE_GRAY, .samples = {1, 2}});
  const std::size_t data = png.find("IDAT");
  ASSERT_NE(data, std::string::npos);
  // The chunk's checksum follows its data; its length stands before its type.
  const std::size_t length = static_cast<std::uint8_t>(png[data - 1]);
  png[data + 4 + length] ^= 0x01;
  const std::string source = folder / "picture.png";
  test::WriteFileBytes(source, png);

  EXPECT_THAT([&] { StorePictureAsBitmap(source, PictureFormat::kPng, folder / "stored.bmp"); },
              ThrowsMessage<Failure>("The picture \"" + source + "\" is damaged: IDAT: CRC error"));
}

TEST(PngPictureDamageTest, RefusesAFileTooShortForTheSizeItClaims) {
  TempFolder folder;
  // 8000 x 8000 pixels of 32 bits are 256 MB, within the decode limit; deflated, they need at
  // least 248 KB, far more than the file has.
  std::string png = test::MakePng(
      {.width = 1, .height = 1, .colourType = PNG_COLOR_TYPE_RGB_ALPHA, .samples = {1, 2, 3, 4}});
  test::SetClaimedPngSize(png, 8000, 8000);
  const std::string source = folder / "picture.png";
  test::WriteFileBytes(source, png);

  EXPECT_THAT(
      [&] { DecodePictureForPreview(source, PictureFormat::kPng, 544, 331); },
      ThrowsMessage<Failure>("The picture \"" + source + "\" is damaged: its " +
                             std::to_string(png.size()) + " bytes cannot hold 8000 x 8000 pixels"));
}

// An interlaced picture is gathered whole before it is shown, beside the preview's own copy: its
// limit counts both. The file is padded so that it could hold the pixels it claims.
TEST(PngPictureDamageTest, CountsTheWholeCopyOfAnInterlacedPictureAgainstTheLimit) {
  TempFolder folder;
  // 9000 x 8000 pixels take 275 MB at 32 bits: within the limit once, beyond it twice.
  for (const bool interlaced : {true, false}) {
    std::string png = test::MakePng({.width = 2,
                                     .height = 2,
                                     .colourType = PNG_COLOR_TYPE_GRAY,
                                     .bitDepth = 1,
                                     .interlaced = interlaced,
                                     .samples = {0, 1, 1, 0}});
    test::SetClaimedPngSize(png, 9000, 8000);
    png.append(16 * 1024, '\0');
    const std::string source = folder / "picture.png";
    test::WriteFileBytes(source, png);
    const std::string tooLarge =
        "The picture \"" + source + "\" is too large: 9000 x 8000 pixels take more than 512 MB";

    try {
      StorePictureAsBitmap(source, PictureFormat::kPng, folder / "stored.bmp");
      ADD_FAILURE() << "a picture claiming more than its data holds was stored";
    } catch (const Failure& failure) {
      EXPECT_EQ(failure.what() == tooLarge, interlaced) << failure.what();
    }
  }
}

}  // namespace
}  // namespace lintavo
