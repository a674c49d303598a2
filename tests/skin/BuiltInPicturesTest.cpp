#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <string>

#include "skin/BuiltInPictures.h"
#include "support/TestEnvironment.h"

namespace lintavo::test {
namespace {

// Two pixels, red then blue, after the given header.
std::string TwoPixelPpm(const std::string& header) {
  return header + std::string("\xFF\x00\x00\x00\x00\xFF", 6);
}

TEST(BuiltInPicturesTest, PpmPixelsAreTakenAsTheyLie) {
  const TempFolder folder;
  for (const std::string header : {"P6\n2 1\n255\n", "P6 2\t1\r\n255 "}) {
    SCOPED_TRACE(header);
    WriteFileBytes(folder / "picture.ppm", TwoPixelPpm(header));
    const QImage picture = BuiltInPpmPicture((folder / "picture.ppm").c_str()).toImage();
    ASSERT_EQ(picture.size(), QSize(2, 1));
    EXPECT_EQ(picture.pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(picture.pixelColor(1, 0), QColor(Qt::blue));
  }
}

TEST(BuiltInPicturesTest, WhatIsNotAWholeEightBitPpmGivesNoPicture) {
  const TempFolder folder;
  const struct {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"plain-text PPM", "P3\n2 1\n255\n255 0 0 0 0 255\n"},
      {"16 bits a channel", TwoPixelPpm("P6\n2 1\n65535\n")},
      {"rows cut short", TwoPixelPpm("P6\n2 2\n255\n")},
      {"no height", TwoPixelPpm("P6\n2\n")},
      {"no space after the header", TwoPixelPpm("P6\n2 1\n255")},
      {"absurd width", TwoPixelPpm("P6\n99999999999 1\n255\n")},
      {"empty", ""},
  };
  for (const auto& bad : cases) {
    SCOPED_TRACE(bad.what);
    WriteFileBytes(folder / "picture.ppm", bad.bytes);
    EXPECT_TRUE(BuiltInPpmPicture((folder / "picture.ppm").c_str()).isNull());
  }
  EXPECT_TRUE(BuiltInPpmPicture((folder / "missing.ppm").c_str()).isNull());
}

}  // namespace
}  // namespace lintavo::test
