#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "PictureTesting.h"
#include "base/Failure.h"
#include "codecs/BmpWriter.h"
#include "support/LittleEndianBytes.h"

namespace lintavo {
namespace {

using test::ByteList;
using test::Bytes;
using test::PutLittleEndian;
using test::TempFolder;
using ::testing::ThrowsMessage;

constexpr std::size_t kWidthAt = 18;  // biWidth, then biHeight
constexpr std::size_t kHeightAt = 22;
constexpr std::size_t kCompressionAt = 30;

// Writes a BMP of `width` x `height` pixels with BmpWriter; `pixel(x, y)` gives each pixel's bytes
// in file order (one palette index, or blue, green, red and for 32 bits alpha).
std::string WriteBitmap(const TempFolder& folder, const std::string& name, int width, int height,
                        int bitsPerPixel, const std::vector<PaletteEntry>& palette,
                        const std::function<Bytes(int, int)>& pixel) {
  const std::string path = folder / name;
  BmpWriter writer(path, width, height, bitsPerPixel, palette);
  std::vector<std::uint8_t> row(writer.RowStride());
  for (int y = 0; y < height; ++y) {
    std::size_t at = 0;
    for (int x = 0; x < width; ++x) {
      for (const std::uint8_t byte : pixel(x, y)) {
        row[at++] = byte;
      }
    }
    writer.WriteRows(y, row.data(), 1);
  }
  writer.Commit();
  return path;
}

const std::vector<PaletteEntry> kThreeColours = {{0, 0, 255, 0}, {0, 255, 0, 0}, {255, 0, 0, 0}};

TEST(BmpPictureTest, IsStoredByteForByteWhateverFollowsItsPixels) {
  TempFolder folder;
  const std::string source = WriteBitmap(folder, "palette.bmp", 3, 2, 8, kThreeColours,
                                         [](int x, int y) { return ByteList({(x + y) % 3}); });
  std::string bytes = test::ReadFileBytes(source) + "trailing bytes the copy keeps";
  test::WriteFileBytes(source, bytes);

  StorePictureAsBitmap(source, PictureFormat::kBmp, folder / "stored.bmp");

  EXPECT_EQ(test::ReadFileBytes(folder / "stored.bmp"), bytes);
}

// The preview shows what the stored copy holds, for each depth the program writes.
TEST(BmpPictureTest, PreviewsThePixelsItStores) {
  TempFolder folder;
  const auto gradient = [](int x, int y) {
    return ByteList({10 * x, 20 * y, 30 + x + y, 100 + 50 * x});
  };
  const std::string pictures[] = {
      WriteBitmap(folder, "palette.bmp", 3, 2, 8, kThreeColours,
                  [](int x, int y) { return ByteList({(x + y) % 3}); }),
      WriteBitmap(folder, "colour.bmp", 3, 2, 24, {},
                  [&](int x, int y) {
                    Bytes pixel = gradient(x, y);
                    pixel.pop_back();
                    return pixel;
                  }),
      WriteBitmap(folder, "alpha.bmp", 3, 2, 32, {}, gradient),
  };
  for (const std::string& path : pictures) {
    SCOPED_TRACE(path);
    const test::BmpPixels stored = test::ReadBmpPixels(test::ReadFileBytes(path));

    const PreviewPicture preview = DecodePictureForPreview(path, PictureFormat::kBmp, 544, 331);

    EXPECT_EQ(preview.width, 3);
    EXPECT_EQ(preview.height, 2);
    // The fourth byte of plain 32-bit pixels is unused: they show opaque, as Windows shows them.
    Bytes expected = test::PreviewPixelsOf(stored);
    for (std::size_t alpha = 3; alpha < expected.size(); alpha += 4) {
      expected[alpha] = 255;
    }
    EXPECT_EQ(preview.pixels, expected);
  }
}

TEST(BmpPictureTest, PreviewsAPictureStoredTopRowFirst) {
  TempFolder folder;
  const auto pixel = [](int x, int y) { return ByteList({x, y, 200}); };
  const std::string bottomUp = WriteBitmap(folder, "bottom-up.bmp", 2, 3, 24, {}, pixel);
  // The same rows in the opposite order, with the height negated, is the same picture.
  const std::string bottomUpBytes = test::ReadFileBytes(bottomUp);
  const std::size_t stride = BmpWriter::RowStrideFor(2, 24);
  std::string topDown = bottomUpBytes.substr(0, 54);
  for (std::size_t row = 3; row-- > 0;) {
    topDown += bottomUpBytes.substr(54 + row * stride, stride);
  }
  PutLittleEndian(topDown, kHeightAt, static_cast<std::uint32_t>(-3), 4);
  test::WriteFileBytes(folder / "top-down.bmp", topDown);

  EXPECT_EQ(DecodePictureForPreview(folder / "top-down.bmp", PictureFormat::kBmp, 544, 331).pixels,
            DecodePictureForPreview(bottomUp, PictureFormat::kBmp, 544, 331).pixels);
}

// Run-length encoded pixels can claim any size in a few bytes: the copy obeys the decode limit.
TEST(BmpPictureTest, RefusesARunLengthEncodedPictureBeyondTheDecodeLimit) {
  TempFolder folder;
  std::string bytes = test::ReadFileBytes(WriteBitmap(folder, "small.bmp", 2, 2, 8, kThreeColours,
                                                      [](int, int) { return ByteList({0}); }));
  PutLittleEndian(bytes, kWidthAt, 100000, 4);
  PutLittleEndian(bytes, kHeightAt, 100000, 4);
  PutLittleEndian(bytes, kCompressionAt, 1, 4);  // BI_RLE8
  const std::string source = folder / "bomb.bmp";
  test::WriteFileBytes(source, bytes);

  EXPECT_THAT([&] { StorePictureAsBitmap(source, PictureFormat::kBmp, folder / "stored.bmp"); },
              ThrowsMessage<Failure>("The picture \"" + source +
                                     "\" is too large: 100000 x 100000 pixels take more than "
                                     "512 MB"));
  EXPECT_FALSE(std::filesystem::exists(folder / "stored.bmp"));
}

TEST(BmpPictureTest, RefusesAFileOverFourGigabytes) {
  TempFolder folder;
  const std::string source = WriteBitmap(folder, "big.bmp", 2, 2, 24, {}, [](int, int) {
    return ByteList({1, 2, 3});
  });
  // Sparse: the picture is small, the file behind it is not.
  std::filesystem::resize_file(source, std::uintmax_t{1} << 32 | 1);

  EXPECT_THAT([&] { StorePictureAsBitmap(source, PictureFormat::kBmp, folder / "stored.bmp"); },
              ThrowsMessage<Failure>("The picture \"" + source +
                                     "\" is too large: a BMP file cannot be over 4 GB"));
  EXPECT_FALSE(std::filesystem::exists(folder / "stored.bmp"));
}

}  // namespace
}  // namespace lintavo
