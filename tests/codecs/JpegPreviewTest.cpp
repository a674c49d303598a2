#include <gtest/gtest.h>

#include <string>

#include "PictureTesting.h"
#include "support/TestJpegs.h"

namespace lintavo {
namespace {

using test::JpegKind;
using test::TempFolder;

// A JPEG larger than the preview decodes at the smallest of libjpeg's scales, 1/8 to 8/8, that
// still covers the preview's box; libjpeg rounds each scaled side up.
TEST(JpegPreviewTest, DecodesAtTheSmallestScaleThatCoversTheBox) {
  struct Case {
    int width, height, boxWidth, boxHeight;
    int expectedWidth, expectedHeight;
  };
  const Case cases[] = {
      {800, 600, 100, 75, 100, 75},    // exactly 1/8
      {800, 600, 101, 75, 200, 150},   // a pixel more takes 2/8
      {800, 600, 544, 331, 600, 450},  // 6/8: 5/8 would be 500 wide
      {801, 601, 100, 75, 101, 76},    // 1/8, rounded up
      {300, 200, 544, 331, 300, 200},  // smaller than the box: full size
  };
  TempFolder folder;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height) + " in " +
                 std::to_string(c.boxWidth) + "x" + std::to_string(c.boxHeight));
    const std::string path = folder / "picture.jpg";
    test::WriteFileBytes(path, test::MakeTestJpeg(JpegKind::kColour, c.width, c.height));

    const PreviewPicture preview =
        DecodePictureForPreview(path, PictureFormat::kJpeg, c.boxWidth, c.boxHeight);

    EXPECT_EQ(preview.width, c.expectedWidth);
    EXPECT_EQ(preview.height, c.expectedHeight);
    EXPECT_EQ(preview.pixels.size(), std::size_t{4} * static_cast<std::size_t>(c.expectedWidth) *
                                         static_cast<std::size_t>(c.expectedHeight));
  }
}

TEST(JpegPreviewTest, AtFullSizeShowsExactlyThePixelsItStores) {
  TempFolder folder;
  for (const JpegKind kind : {JpegKind::kColour, JpegKind::kGray, JpegKind::kAdobeCmyk}) {
    const test::BmpPixels stored = test::StoreAndRead(
        folder, "picture.jpg", test::MakeTestJpeg(kind, 37, 21), PictureFormat::kJpeg);

    const PreviewPicture preview =
        DecodePictureForPreview(folder / "picture.jpg", PictureFormat::kJpeg, 30, 20);

    EXPECT_EQ(preview.pixels, test::PreviewPixelsOf(stored));
  }
}

}  // namespace
}  // namespace lintavo
