#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <jerror.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "base/Failure.h"
#include "codecs/JpegConversion.h"
#include "support/BmpHeader.h"
#include "support/ScopedFileSizeLimit.h"
#include "support/TestEnvironment.h"
#include "support/TestJpegs.h"

namespace lintavo {
namespace {

using ::testing::ThrowsMessage;

using test::FolderContent;
using test::JpegKind;
using test::MakeTestJpeg;
using test::ReadFileBytes;
using test::TempFolder;
using test::WriteFileBytes;

std::string JpegError(int code) {
  return "JPEG error #" + std::to_string(code);
}

// Checks that `bmp` is a 24-bit bitmap of the picture MakeTestJpeg made, every pixel within a few
// levels of the colour encoded: quality 100 still rounds, but far less than a pixel or row out
// of place would show, as neighbours differ by 9 levels or more.
void ExpectBitmapOf(const std::string& bmp, JpegKind kind, int width, int height) {
  constexpr int kTolerance = 6;
  const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
  const test::BmpHeader header = test::ReadBmpHeader(bmp);
  EXPECT_EQ(header.type, "BM");
  EXPECT_EQ(header.fileSize, bmp.size());
  EXPECT_EQ(header.pixelDataOffset, 54u);
  EXPECT_EQ(header.infoSize, 40u);
  EXPECT_EQ(header.width, width);
  EXPECT_EQ(header.height, height);
  EXPECT_EQ(header.planes, 1);
  EXPECT_EQ(header.bitsPerPixel, 24);
  EXPECT_EQ(header.compression, 0u);
  EXPECT_EQ(header.imageSize, stride * static_cast<std::size_t>(height));
  ASSERT_EQ(bmp.size(), 54 + stride * static_cast<std::size_t>(height));

  int worst = 0;
  std::string worstAt;
  for (int y = 0; y < height; ++y) {
    // Bottom row first in the file.
    const std::size_t rowStart = 54 + static_cast<std::size_t>(height - 1 - y) * stride;
    for (int x = 0; x < width; ++x) {
      const test::Colour expected = test::TestJpegColour(kind, x, y);
      const std::size_t pixel = rowStart + static_cast<std::size_t>(x) * 3;
      const int found[] = {static_cast<unsigned char>(bmp[pixel + 2]),
                           static_cast<unsigned char>(bmp[pixel + 1]),
                           static_cast<unsigned char>(bmp[pixel])};
      const int wanted[] = {expected.red, expected.green, expected.blue};
      for (int channel = 0; channel < 3; ++channel) {
        const int error = std::abs(found[channel] - wanted[channel]);
        if (error > worst) {
          worst = error;
          worstAt = "(" + std::to_string(x) + ", " + std::to_string(y) + ") channel " +
                    std::to_string(channel) + ": " + std::to_string(found[channel]) +
                    " instead of " + std::to_string(wanted[channel]);
        }
      }
    }
    for (std::size_t pad = static_cast<std::size_t>(width) * 3; pad < stride; ++pad) {
      EXPECT_EQ(bmp[rowStart + pad], '\0') << "padding of row " << y;
    }
  }
  EXPECT_LE(worst, kTolerance) << "worst pixel " << worstAt;
}

struct GoodPicture {
  const char* name;
  JpegKind kind;
  int width;
  int height;
  bool progressive;
  bool arithmetic = false;
};

// Names the case in failure messages, instead of a dump of its bytes.
void PrintTo(const GoodPicture& picture, std::ostream* out) {
  *out << picture.name;
}

class JpegConversionGoodPictureTest : public testing::TestWithParam<GoodPicture> {};

TEST_P(JpegConversionGoodPictureTest, IntoA24BitBitmapOfTheSamePixels) {
  const GoodPicture& picture = GetParam();
  TempFolder folder;
  const std::string source = folder / "picture.jpg";
  const std::string dest = folder / "out/picture.bmp";
  WriteFileBytes(source, MakeTestJpeg(picture.kind, picture.width, picture.height,
                                      picture.progressive, picture.arithmetic));
  WriteFileBytes(dest, "an older bitmap");

  ConvertJpegToBitmap(source, dest);

  ExpectBitmapOf(ReadFileBytes(dest), picture.kind, picture.width, picture.height);
  EXPECT_EQ(FolderContent(folder / "out"), std::vector<std::string>{"picture.bmp"});
}

// Row lengths of 3 x width bytes are padded to a multiple of 4: the widths below leave 1, 3, 2
// and 3 bytes of padding. The tall picture spans several row blocks, the last one short.
INSTANTIATE_TEST_SUITE_P(
    Pictures, JpegConversionGoodPictureTest,
    testing::Values(GoodPicture{"Colour33x17", JpegKind::kColour, 33, 17, false},
                    GoodPicture{"ColourProgressive30x20", JpegKind::kColour, 30, 20, true},
                    GoodPicture{"Gray35x9", JpegKind::kGray, 35, 9, false},
                    GoodPicture{"AdobeCmyk34x10", JpegKind::kAdobeCmyk, 34, 10, false},
                    GoodPicture{"AdobeYcck34x10", JpegKind::kAdobeYcck, 34, 10, false},
                    GoodPicture{"PlainCmyk34x10", JpegKind::kPlainCmyk, 34, 10, false},
                    GoodPicture{"OnePixel", JpegKind::kColour, 1, 1, false},
                    GoodPicture{"ArithmeticColour33x17", JpegKind::kColour, 33, 17, false, true},
                    GoodPicture{"ArithmeticProgressive30x20", JpegKind::kColour, 30, 20, true,
                                true},
                    GoodPicture{"ManyRowBlocks2001x401", JpegKind::kColour, 2001, 401, false}),
    [](const testing::TestParamInfo<GoodPicture>& test) { return test.param.name; });

TEST(JpegConversionTest, ToleratesExtraneousBytesBeforeTheEndMarker) {
  TempFolder folder;
  std::string jpeg = MakeTestJpeg(JpegKind::kColour, 16, 8);
  ASSERT_EQ(jpeg.substr(jpeg.size() - 2), "\xFF\xD9");
  // Stray bytes between the picture data and the end marker make libjpeg warn; viewers show such
  // pictures, and so do we.
  jpeg.insert(jpeg.size() - 2, "\x12\x34\x56");
  const std::string source = folder / "stray.jpg";
  const std::string dest = folder / "stray.bmp";
  WriteFileBytes(source, jpeg);

  ConvertJpegToBitmap(source, dest);

  ExpectBitmapOf(ReadFileBytes(dest), JpegKind::kColour, 16, 8);
}

TEST(JpegConversionTest, ReportsADestinationItCannotCreate) {
  TempFolder folder;
  const std::string source = folder / "picture.jpg";
  const std::string dest = folder / "missing/picture.bmp";
  WriteFileBytes(source, MakeTestJpeg(JpegKind::kColour, 8, 8));

  EXPECT_THAT(
      [&] { ConvertJpegToBitmap(source, dest); },
      ThrowsMessage<Failure>("Cannot create file \"" + dest + "\". No such file or directory"));
  EXPECT_FALSE(std::filesystem::exists(folder / "missing"));
}

// The bitmap is written on a thread of its own while the picture is decoded: a write that fails
// there (the disk fills) must still fail the conversion with its reason, leave the old bitmap as
// it was and leave no other file behind.
TEST(JpegConversionTest, ADiskThatFillsWhileTheBitmapIsWrittenFailsTheConversion) {
  TempFolder folder;
  const std::string source = folder / "picture.jpg";
  const std::string dest = folder / "out/picture.bmp";
  std::filesystem::create_directory(folder / "out");
  // Rows of 3072 bytes: the bitmap comes in several blocks, and the limit stops the first.
  WriteFileBytes(source, MakeTestJpeg(JpegKind::kColour, 1024, 1024));
  WriteFileBytes(dest, "the old bitmap");
  {
    const test::ScopedFileSizeLimit limit(300 * 1024);
    EXPECT_THAT([&] { ConvertJpegToBitmap(source, dest); },
                ThrowsMessage<Failure>("Cannot create file \"" + dest + "\". File too large"));
  }
  EXPECT_EQ(ReadFileBytes(dest), "the old bitmap");
  EXPECT_EQ(FolderContent(folder / "out"), std::vector<std::string>{"picture.bmp"});
}

std::string ClaimingSize(std::string jpeg, int width, int height) {
  test::SetClaimedSize(jpeg, width, height);
  return jpeg;
}

struct BadInput {
  const char* name;
  // The content of the file to convert; none for no file at all.
  std::optional<std::string> content;
  // The expected message, given the source's path.
  std::function<std::string(const std::string&)> message;
};

std::vector<BadInput> BadInputs() {
  const auto jpegError = [](int code) {
    return [code](const std::string&) { return JpegError(code); };
  };
  const std::string colour = MakeTestJpeg(JpegKind::kColour, 33, 17);
  const std::string progressive = MakeTestJpeg(JpegKind::kColour, 33, 17, true);
  const std::string arithmetic = MakeTestJpeg(JpegKind::kColour, 33, 17, false, true);
  const std::string arithmeticProgressive = MakeTestJpeg(JpegKind::kColour, 33, 17, true, true);
  // 97 bytes claiming 4000 x 4000 pixels of arithmetic-coded gray whose data ends at once.
  using namespace std::string_literals;
  const std::string arithmeticWithoutData = "\xFF\xD8\xFF\xDB\x00\x43\x00"s +
                                            std::string(64, '\x01') +
                                            "\xFF\xC9\x00\x0B\x08\x0F\xA0\x0F\xA0\x01\x01\x11\x00"
                                            "\xFF\xDA\x00\x08\x01\x01\x00\x00\x00\x3F\x00\xFF\xD9"s;
  return {
      {"MissingFile", std::nullopt,
       [](const std::string& source) {
         return "Cannot open file \"" + source + "\". No such file or directory";
       }},
      {"EmptyFile", "", jpegError(JERR_INPUT_EMPTY)},
      {"NotAJpeg", std::string("GIF89a\x01\x00\x01\x00", 10), jpegError(JERR_NO_SOI)},
      {"CutInThePictureData", colour.substr(0, colour.size() / 2), jpegError(JWRN_JPEG_EOF)},
      {"CutBeforeTheEndMarker", colour.substr(0, colour.size() - 2), jpegError(JWRN_JPEG_EOF)},
      // The picture data is whole, but the file ends inside a comment segment after it.
      {"CutAfterThePictureData",
       colour.substr(0, colour.size() - 2) + std::string("\xFF\xFE\x00\x20 a comment", 14),
       jpegError(JWRN_JPEG_EOF)},
      {"ProgressiveCutShort", progressive.substr(0, progressive.size() * 3 / 4),
       jpegError(JWRN_JPEG_EOF)},
      // A whole file whose header claims far more rows than its data holds: the data ends at
      // the end marker, long before the picture does.
      {"ClaimsMoreThanItsDataHolds", ClaimingSize(colour, 3000, 2000), jpegError(JWRN_HIT_MARKER)},
      // Arithmetic-coded data is read on as zeros past a marker; data that ends long before the
      // picture does is refused all the same.
      {"ArithmeticWithoutData", arithmeticWithoutData, jpegError(JWRN_HIT_MARKER)},
      {"ArithmeticClaimsMoreThanItsDataHolds", ClaimingSize(arithmetic, 3000, 2000),
       jpegError(JWRN_HIT_MARKER)},
      {"ArithmeticProgressiveClaimsMore", ClaimingSize(arithmeticProgressive, 3000, 2000),
       jpegError(JWRN_HIT_MARKER)},
      // 65000 x 65000 fits libjpeg's limits but its bitmap would pass 4 GB.
      {"ClaimsTooBigForBmp", ClaimingSize(colour, 65000, 65000), jpegError(JERR_IMAGE_TOO_BIG)},
      // A progressive picture is held whole while it decodes: 8000 x 9000 in CMYK needs 576 MB,
      // over the decoder's 512 MB limit, which libjpeg then reports as missing disk buffering.
      {"ClaimsMoreThanTheDecoderMemoryLimit",
       ClaimingSize(MakeTestJpeg(JpegKind::kAdobeCmyk, 16, 16, true), 8000, 9000),
       jpegError(JERR_NO_BACKING_STORE)},
  };
}

struct BadInputCase {
  BadInput input;
  bool destExists;
};

void PrintTo(const BadInputCase& param, std::ostream* out) {
  *out << param.input.name << (param.destExists ? " over an existing bitmap" : "");
}

class JpegConversionBadInputTest : public testing::TestWithParam<BadInputCase> {};

TEST_P(JpegConversionBadInputTest, WithItsMessageAndLeavesTheDestinationAlone) {
  const BadInputCase& param = GetParam();
  TempFolder folder;
  const std::string source = folder / "in/picture.jpg";
  std::filesystem::create_directories(folder / "in");
  if (param.input.content) {
    WriteFileBytes(source, *param.input.content);
  }
  const std::string dest = folder / "out/picture.bmp";
  std::filesystem::create_directories(folder / "out");
  const std::string oldBitmap = "BM an older bitmap";
  if (param.destExists) {
    WriteFileBytes(dest, oldBitmap);
  }

  EXPECT_THAT([&] { ConvertJpegToBitmap(source, dest); },
              ThrowsMessage<Failure>(param.input.message(source)));

  if (param.destExists) {
    EXPECT_EQ(ReadFileBytes(dest), oldBitmap);
    EXPECT_EQ(FolderContent(folder / "out"), std::vector<std::string>{"picture.bmp"});
  } else {
    EXPECT_TRUE(FolderContent(folder / "out").empty());
  }
}

std::vector<BadInputCase> BadInputCases() {
  std::vector<BadInputCase> cases;
  for (const BadInput& input : BadInputs()) {
    cases.push_back({input, false});
    cases.push_back({input, true});
  }
  return cases;
}

INSTANTIATE_TEST_SUITE_P(Inputs, JpegConversionBadInputTest, testing::ValuesIn(BadInputCases()),
                         [](const testing::TestParamInfo<BadInputCase>& test) {
                           return std::string(test.param.input.name) +
                                  (test.param.destExists ? "_OverExistingBitmap" : "_NoBitmapYet");
                         });

TEST(JpegConversionTest, RefusesAFolderAsSource) {
  TempFolder folder;
  const std::string dest = folder / "picture.bmp";
  EXPECT_THAT([&] { ConvertJpegToBitmap(folder.Path().string(), dest); },
              ThrowsMessage<Failure>("Cannot open file \"" + folder.Path().string() +
                                     "\". Is a directory"));
  EXPECT_FALSE(std::filesystem::exists(dest));
}

}  // namespace
}  // namespace lintavo
