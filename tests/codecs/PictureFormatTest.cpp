#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "codecs/PictureFormat.h"

namespace lintavo {
namespace {

TEST(PictureFormatTest, ComesFromTheLastExtensionOfTheFileNameInAnyCase) {
  struct Case {
    const char* name;
    std::optional<PictureFormat> format;
  };
  const Case cases[] = {
      {"/pictures/sunset.jpg", PictureFormat::kJpeg},
      {"/pictures/Sunset.JPG", PictureFormat::kJpeg},
      {"sunset.jpeg", PictureFormat::kJpeg},
      {"sunset.JpEg", PictureFormat::kJpeg},
      {"anim.gif", PictureFormat::kGif},
      {"old.bmp", PictureFormat::kBmp},
      {"scan.tif", PictureFormat::kTiff},
      {"scan.TIFF", PictureFormat::kTiff},
      {"icon.png", PictureFormat::kPng},
      {"archive.png.zip", std::nullopt},
      {"picture.jpg.png", PictureFormat::kPng},
      {"/pictures/scans.tif/photo", std::nullopt},  // the dot is in a folder's name
      {"/pictures/scans.tif/photo.png", PictureFormat::kPng},
      {"noextension", std::nullopt},
      {"trailing.", std::nullopt},
      {"picture.jp", std::nullopt},
      {"picture.tiff2", std::nullopt},
      {"", std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PictureFormatOfFileName(c.name), c.format) << c.name;
  }
}

}  // namespace
}  // namespace lintavo
