#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PictureTesting.h"
#include "base/Failure.h"
#include "support/TestPictures.h"

namespace lintavo {
namespace {

using test::ByteList;
using test::GifFrame;
using test::GifPicture;
using test::PaletteWord;
using test::Rgb;
using test::TempFolder;
using ::testing::ElementsAre;
using ::testing::ThrowsMessage;

const std::vector<Rgb> kFourColours = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {10, 20, 30}};

test::BmpPixels StoreGif(const TempFolder& folder, const std::string& gif) {
  return test::StoreAndRead(folder, "picture.gif", gif, PictureFormat::kGif);
}

TEST(GifPictureTest, StoresTheFrameAs8BitsWithItsPalette) {
  TempFolder folder;
  const GifPicture picture{3, 2, kFourColours, 0, {{0, 0, 3, 2, false, {}, {1, 2, 3, 3, 0, 1}}}};

  const test::BmpPixels bitmap = StoreGif(folder, test::MakeGif(picture));

  EXPECT_EQ(bitmap.header.bitsPerPixel, 8);
  EXPECT_EQ(bitmap.header.width, 3);
  EXPECT_EQ(bitmap.header.height, 2);
  EXPECT_THAT(bitmap.palette, ElementsAre(PaletteWord(0, 0, 0), PaletteWord(255, 0, 0),
                                          PaletteWord(0, 255, 0), PaletteWord(10, 20, 30)));
  EXPECT_THAT(bitmap.rows, ElementsAre(ByteList({1, 2, 3}), ByteList({3, 0, 1})));
}

TEST(GifPictureTest, PutsTheRowsOfAnInterlacedFrameInPlace) {
  TempFolder folder;
  // Row y holds index y % 4 throughout: the four passes bring rows 0, 8 / 4 / 2, 6 / 1, 3, 5, 7, 9.
  std::vector<std::uint8_t> indices;
  for (int y = 0; y < 10; ++y) {
    indices.insert(indices.end(), 2, static_cast<std::uint8_t>(y % 4));
  }
  const GifPicture picture{2, 10, kFourColours, 0, {{0, 0, 2, 10, true, {}, indices}}};

  const test::BmpPixels bitmap = StoreGif(folder, test::MakeGif(picture));

  ASSERT_EQ(bitmap.rows.size(), 10u);
  for (int y = 0; y < 10; ++y) {
    EXPECT_EQ(bitmap.rows[static_cast<std::size_t>(y)], test::Bytes(2, y % 4)) << "row " << y;
  }
}

TEST(GifPictureTest, StoresOnlyTheFirstFrameOfAnAnimation) {
  TempFolder folder;
  const GifPicture picture{2,
                           2,
                           kFourColours,
                           0,
                           {{0, 0, 2, 2, false, {}, {1, 1, 1, 1}},
                            {0, 0, 2, 2, false, {}, {2, 2, 2, 2}},
                            {0, 0, 2, 2, false, {}, {3, 3, 3, 3}}}};

  const test::BmpPixels bitmap = StoreGif(folder, test::MakeGif(picture));

  EXPECT_THAT(bitmap.rows, ElementsAre(ByteList({1, 1}), ByteList({1, 1})));
}

TEST(GifPictureTest, CutsAFramePartlyOutsideTheScreenAndShowsTheBackgroundAroundIt) {
  TempFolder folder;
  // A 3 x 3 frame at (2, 1) on a 4 x 3 screen: its top-left 2 x 2 pixels are on the screen.
  const GifPicture picture{
      4, 3, kFourColours, 2, {{2, 1, 3, 3, false, {}, {1, 3, 0, 3, 1, 0, 0, 0, 0}}}};

  const test::BmpPixels bitmap = StoreGif(folder, test::MakeGif(picture));

  EXPECT_THAT(bitmap.rows,
              ElementsAre(ByteList({2, 2, 2, 2}), ByteList({2, 2, 1, 3}), ByteList({2, 2, 3, 1})));
}

TEST(GifPictureTest, TakesTheFramesOwnColourTableOverTheGlobalOne) {
  TempFolder folder;
  const std::vector<Rgb> local = {{1, 2, 3}, {4, 5, 6}};
  const GifPicture picture{2, 1, kFourColours, 0, {{0, 0, 2, 1, false, local, {1, 0}}}};

  const test::BmpPixels bitmap = StoreGif(folder, test::MakeGif(picture));

  EXPECT_THAT(bitmap.palette, ElementsAre(PaletteWord(1, 2, 3), PaletteWord(4, 5, 6)));
  EXPECT_THAT(bitmap.rows, ElementsAre(ByteList({1, 0})));
}

TEST(GifPictureTest, RefusesAPictureWithoutAnyColourTable) {
  TempFolder folder;
  const GifPicture picture{2, 1, kFourColours, 0, {{0, 0, 2, 1, false, {}, {1, 0}}}};
  const std::string source = folder / "picture.gif";
  test::WriteFileBytes(source, test::WithoutGlobalColourTable(test::MakeGif(picture)));

  EXPECT_THAT(
      [&] { StorePictureAsBitmap(source, PictureFormat::kGif, folder / "stored.bmp"); },
      ThrowsMessage<Failure>("The picture \"" + source + "\" is damaged: it has no colour table"));
}

TEST(GifPictureTest, PreviewsThePixelsItStores) {
  TempFolder folder;
  const GifPicture picture{
      4, 3, kFourColours, 2, {{2, 1, 3, 3, true, {}, {1, 3, 0, 3, 1, 0, 0, 0, 0}}}};
  const std::string gif = test::MakeGif(picture);

  const test::BmpPixels bitmap = StoreGif(folder, gif);
  const PreviewPicture preview =
      DecodePictureForPreview(folder / "picture.gif", PictureFormat::kGif, 544, 331);

  EXPECT_EQ(preview.width, 4);
  EXPECT_EQ(preview.height, 3);
  EXPECT_EQ(preview.pixels, test::PreviewPixelsOf(bitmap));
  // The top row is the background, green; the frame's first visible pixel is red.
  EXPECT_EQ(test::Bytes(preview.pixels.begin(), preview.pixels.begin() + 4),
            ByteList({0, 255, 0, 255}));
  EXPECT_EQ(test::Bytes(preview.pixels.begin() + 24, preview.pixels.begin() + 28),
            ByteList({0, 0, 255, 255}));
}

}  // namespace
}  // namespace lintavo
