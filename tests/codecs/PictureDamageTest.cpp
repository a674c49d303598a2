#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <jerror.h>
#include <png.h>

#include <functional>
#include <ostream>
#include <string>

#include "PictureTesting.h"
#include "base/Failure.h"
#include "support/LittleEndianBytes.h"
#include "support/TestJpegs.h"
#include "support/TestPictures.h"

// Damaged, empty, mislabelled and oversized files of every format: each is refused with a clear
// message, for storing and for the preview alike, and the page's old background stays as it was.
namespace lintavo {
namespace {

using test::PutLittleEndian;
using test::TempFolder;
using ::testing::ThrowsMessage;

constexpr char kOldBackground[] = "the old background";

std::string SmallPng() {
  return test::MakePng(
      {2, 2, PNG_COLOR_TYPE_RGB, 8, false, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}});
}

std::string SmallGif() {
  return test::MakeGif(
      {2, 2, {{0, 0, 0}, {255, 255, 255}}, 0, {{0, 0, 2, 2, false, {}, {0, 1, 1, 0}}}});
}

std::string SmallTiff() {
  TempFolder folder;
  const std::string path = folder / "small.tif";
  test::WriteTiff(path, {2, 2, 3, 8, 2, 1, 1, 0, 0, test::Bytes(12, 0x40)});
  return test::ReadFileBytes(path);
}

std::string SmallJpeg() {
  return test::MakeTestJpeg(test::JpegKind::kColour, 16, 16);
}

// A 24-bit bitmap as the program itself writes one: a stored GIF is 8-bit, so store a PNG.
std::string SmallBmp() {
  TempFolder folder;
  test::WriteFileBytes(folder / "small.png", SmallPng());
  StorePictureAsBitmap(folder / "small.png", PictureFormat::kPng, folder / "small.bmp");
  return test::ReadFileBytes(folder / "small.bmp");
}

std::string FirstHalf(const std::string& bytes) {
  return bytes.substr(0, bytes.size() / 2);
}

std::string GifClaimingScreen(std::uint16_t width, std::uint16_t height) {
  std::string gif = SmallGif();
  PutLittleEndian(gif, 6, width, 2);  // the logical screen's width, then its height
  PutLittleEndian(gif, 8, height, 2);
  return gif;
}

std::string BmpClaimingSize(std::int32_t width, std::int32_t height) {
  std::string bmp = SmallBmp();
  PutLittleEndian(bmp, 18, static_cast<std::uint32_t>(width), 4);  // biWidth, then biHeight
  PutLittleEndian(bmp, 22, static_cast<std::uint32_t>(height), 4);
  return bmp;
}

std::string PngClaimingSize(std::uint32_t width, std::uint32_t height) {
  std::string png = SmallPng();
  test::SetClaimedPngSize(png, width, height);
  return png;
}

// A JPEG keeps the texts of its conversion: libjpeg's message code.
std::string JpegError(int code) {
  return "JPEG error #" + std::to_string(code);
}

const std::string kNotAPicture = "This is a letter, not a picture.\n";

struct DamageCase {
  const char* name;
  PictureFormat format;
  std::function<std::string()> bytes;
  // The message with "%s" where the picture's path goes.
  std::string message;
};

void PrintTo(const DamageCase& c, std::ostream* out) {
  *out << c.name;
}

std::string WithPath(std::string message, const std::string& path) {
  const std::size_t at = message.find("%s");
  return at == std::string::npos ? message : message.replace(at, 2, path);
}

class PictureDamageTest : public testing::TestWithParam<DamageCase> {};

TEST_P(PictureDamageTest, IsRefusedAndTheOldBackgroundStays) {
  const DamageCase& c = GetParam();
  TempFolder folder;
  const std::string source = folder / "picture";
  const std::string dest = folder / "background.bmp";
  test::WriteFileBytes(source, c.bytes());
  test::WriteFileBytes(dest, kOldBackground);
  const std::string expected = WithPath(c.message, source);

  EXPECT_THAT([&] { StorePictureAsBitmap(source, c.format, dest); },
              ThrowsMessage<Failure>(expected));
  EXPECT_EQ(test::ReadFileBytes(dest), kOldBackground);
  EXPECT_THAT(test::FolderContent(folder.Path().string()),
              ::testing::UnorderedElementsAre("picture", "background.bmp"));
  EXPECT_THAT([&] { DecodePictureForPreview(source, c.format, 544, 331); },
              ThrowsMessage<Failure>(expected));
}

INSTANTIATE_TEST_SUITE_P(
    Files, PictureDamageTest,
    testing::Values(
        DamageCase{"EmptyPng", PictureFormat::kPng, [] { return std::string(); },
                   "The picture \"%s\" is an empty file"},
        DamageCase{"EmptyGif", PictureFormat::kGif, [] { return std::string(); },
                   "The picture \"%s\" is an empty file"},
        DamageCase{"EmptyTiff", PictureFormat::kTiff, [] { return std::string(); },
                   "Unable to open file '%s'"},
        DamageCase{"EmptyBmp", PictureFormat::kBmp, [] { return std::string(); },
                   "The picture \"%s\" is an empty file"},
        DamageCase{"EmptyJpeg", PictureFormat::kJpeg, [] { return std::string(); },
                   JpegError(JERR_INPUT_EMPTY)},
        DamageCase{"TextAsPng", PictureFormat::kPng, [] { return kNotAPicture; },
                   "The picture \"%s\" is not a PNG file"},
        DamageCase{"TextAsGif", PictureFormat::kGif, [] { return kNotAPicture; },
                   "The picture \"%s\" is not a GIF file"},
        DamageCase{"TextAsTiff", PictureFormat::kTiff, [] { return kNotAPicture; },
                   "Unable to open file '%s'"},
        DamageCase{"TextAsBmp", PictureFormat::kBmp, [] { return kNotAPicture; },
                   "The picture \"%s\" is not a BMP file"},
        DamageCase{"TextAsJpeg", PictureFormat::kJpeg, [] { return kNotAPicture; },
                   JpegError(JERR_NO_SOI)},
        DamageCase{"PngAsGif", PictureFormat::kGif, SmallPng,
                   "The picture \"%s\" is not a GIF file"},
        DamageCase{"TruncatedPng", PictureFormat::kPng, [] { return FirstHalf(SmallPng()); },
                   "The picture \"%s\" is damaged: the file ends early"},
        DamageCase{"TruncatedGif", PictureFormat::kGif, [] { return FirstHalf(SmallGif()); },
                   "The picture \"%s\" is damaged: the file ends early"},
        DamageCase{"TiffCutBeforeItsDirectory", PictureFormat::kTiff,
                   [] { return FirstHalf(SmallTiff()); }, "Unable to open file '%s'"},
        DamageCase{"TruncatedBmp", PictureFormat::kBmp, [] { return FirstHalf(SmallBmp()); },
                   "The picture \"%s\" is damaged: the file ends early"},
        DamageCase{"TruncatedJpeg", PictureFormat::kJpeg, [] { return FirstHalf(SmallJpeg()); },
                   JpegError(JWRN_JPEG_EOF)},
        DamageCase{"HugePng", PictureFormat::kPng, [] { return PngClaimingSize(100000, 100000); },
                   "The picture \"%s\" is too large: 100000 x 100000 pixels take more than 512 MB"},
        DamageCase{"HugeGif", PictureFormat::kGif, [] { return GifClaimingScreen(65535, 65535); },
                   "The picture \"%s\" is too large: 65535 x 65535 pixels take more than 512 MB"},
        DamageCase{"BmpClaimingMoreThanItsFileHolds", PictureFormat::kBmp,
                   [] { return BmpClaimingSize(100000, 100000); },
                   "The picture \"%s\" is damaged: the file ends early"}),
    [](const testing::TestParamInfo<DamageCase>& test) { return test.param.name; });

}  // namespace
}  // namespace lintavo
