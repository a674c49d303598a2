#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "base/Failure.h"
#include "codecs/BmpWriter.h"
#include "support/BmpHeader.h"
#include "support/TestEnvironment.h"

namespace lintavo {
namespace {

using ::testing::ThrowsMessage;

using test::FolderContent;
using test::ReadBmpHeader;
using test::ReadFileBytes;
using test::TempFolder;

TEST(BmpWriterTest, Writes24BitRowsBottomUpWithPaddedRows) {
  TempFolder folder;
  const std::string dest = folder / "picture.bmp";
  // 3 pixels of 3 bytes: 9 bytes of pixels and 3 of padding per row.
  BmpWriter writer(dest, 3, 3, 24);
  ASSERT_EQ(writer.RowStride(), 12u);
  // Picture rows 0..2 hold bytes 0x10+, 0x20+, 0x30+; blocks go in out of order, each with its
  // bottom row first, as the contract asks.
  const std::vector<std::uint8_t> lastRow = {0x30, 0x31, 0x32, 0x33, 0x34, 0x35,
                                             0x36, 0x37, 0x38, 0,    0,    0};
  std::vector<std::uint8_t> topTwoRows = {0x20, 0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x27,
                                          0x28, 0,    0,    0,    0x10, 0x11, 0x12, 0x13,
                                          0x14, 0x15, 0x16, 0x17, 0x18, 0,    0,    0};
  writer.WriteRows(2, lastRow.data(), 1);
  writer.WriteRows(0, topTwoRows.data(), 2);
  EXPECT_FALSE(std::filesystem::exists(dest)) << "nothing may appear before Commit";
  writer.Commit();

  const std::string bytes = ReadFileBytes(dest);
  ASSERT_EQ(bytes.size(), 54u + 36u);
  const test::BmpHeader header = ReadBmpHeader(bytes);
  EXPECT_EQ(header.type, "BM");
  EXPECT_EQ(header.fileSize, 90u);
  EXPECT_EQ(header.reserved, 0u);
  EXPECT_EQ(header.pixelDataOffset, 54u);
  EXPECT_EQ(header.infoSize, 40u);
  EXPECT_EQ(header.width, 3);
  EXPECT_EQ(header.height, 3);
  EXPECT_EQ(header.planes, 1);
  EXPECT_EQ(header.bitsPerPixel, 24);
  EXPECT_EQ(header.compression, 0u);
  EXPECT_EQ(header.imageSize, 36u);
  EXPECT_EQ(header.coloursUsed, 0u);
  const std::string expectedPixels = "\x30\x31\x32\x33\x34\x35\x36\x37\x38" + std::string(3, '\0') +
                                     "\x20\x21\x22\x23\x24\x25\x26\x27\x28" + std::string(3, '\0') +
                                     "\x10\x11\x12\x13\x14\x15\x16\x17\x18" + std::string(3, '\0');
  EXPECT_EQ(bytes.substr(54), expectedPixels);
}

TEST(BmpWriterTest, Writes8BitRowsAfterThePalette) {
  TempFolder folder;
  const std::string dest = folder / "palette.bmp";
  const std::vector<PaletteEntry> palette = {{1, 2, 3, 0}, {4, 5, 6, 0}, {7, 8, 9, 0}};
  BmpWriter writer(dest, 5, 2, 8, palette);
  ASSERT_EQ(writer.RowStride(), 8u);
  const std::vector<std::uint8_t> rows = {2, 1, 0, 1, 2, 0, 0, 0, 0, 0, 1, 1, 2, 0, 0, 0};
  writer.WriteRows(0, rows.data(), 2);
  writer.Commit();

  const std::string bytes = ReadFileBytes(dest);
  const std::uint32_t pixelDataOffset = 54 + 3 * 4;
  ASSERT_EQ(bytes.size(), pixelDataOffset + 16u);
  const test::BmpHeader header = ReadBmpHeader(bytes);
  EXPECT_EQ(header.fileSize, bytes.size());
  EXPECT_EQ(header.pixelDataOffset, pixelDataOffset);
  EXPECT_EQ(header.width, 5);
  EXPECT_EQ(header.height, 2);
  EXPECT_EQ(header.bitsPerPixel, 8);
  EXPECT_EQ(header.compression, 0u);
  EXPECT_EQ(header.imageSize, 16u);
  EXPECT_EQ(header.coloursUsed, 3u);
  EXPECT_EQ(bytes.substr(54, 12), std::string("\1\2\3\0\4\5\6\0\7\x08\x09\0", 12));
  EXPECT_EQ(bytes.substr(pixelDataOffset), std::string(rows.begin(), rows.end()));
}

TEST(BmpWriterTest, LeavesTheOldFileAndNoTraceWithoutCommit) {
  TempFolder folder;
  const std::string dest = folder / "picture.bmp";
  test::WriteFileBytes(dest, "old picture");
  {
    BmpWriter writer(dest, 2, 2, 24);
    const std::vector<std::uint8_t> rows(2 * writer.RowStride(), 0x7f);
    writer.WriteRows(0, rows.data(), 2);
  }
  EXPECT_EQ(ReadFileBytes(dest), "old picture");
  EXPECT_EQ(FolderContent(folder.Path().string()), std::vector<std::string>{"picture.bmp"});
}

TEST(BmpWriterTest, RefusesPicturesItCannotStore) {
  TempFolder folder;
  const std::string dest = folder / "picture.bmp";
  const std::string invalid = "Cannot create file \"" + dest + "\". Invalid argument";
  const std::vector<PaletteEntry> grey(1);
  struct Case {
    const char* what;
    int width, height, bitsPerPixel;
    std::vector<PaletteEntry> palette;
    std::string message;
  };
  const std::vector<Case> cases = {
      {"no width", 0, 5, 24, {}, invalid},
      {"negative height", 5, -1, 24, {}, invalid},
      {"unsupported depth", 5, 5, 16, {}, invalid},
      {"8 bits without a palette", 5, 5, 8, {}, invalid},
      {"palette too long", 5, 5, 8, std::vector<PaletteEntry>(257), invalid},
      {"24 bits with a palette", 5, 5, 24, grey, invalid},
      {"file over 4 GB",
       65000,
       65000,
       24,
       {},
       "Cannot create file \"" + dest + "\". File too large"},
  };
  for (const Case& c : cases) {
    EXPECT_THAT([&] { BmpWriter(dest, c.width, c.height, c.bitsPerPixel, c.palette); },
                ThrowsMessage<Failure>(c.message))
        << c.what;
  }
  EXPECT_TRUE(FolderContent(folder.Path().string()).empty());
}

TEST(BmpWriterTest, RefusesRowsOutsideThePicture) {
  TempFolder folder;
  const std::string dest = folder / "picture.bmp";
  BmpWriter writer(dest, 2, 3, 24);
  const std::vector<std::uint8_t> rows(4 * writer.RowStride());
  const std::string invalid = "Cannot create file \"" + dest + "\". Invalid argument";
  EXPECT_THAT([&] { writer.WriteRows(2, rows.data(), 2); }, ThrowsMessage<Failure>(invalid));
  EXPECT_THAT([&] { writer.WriteRows(-1, rows.data(), 1); }, ThrowsMessage<Failure>(invalid));
  EXPECT_THAT([&] { writer.WriteRows(0, rows.data(), 4); }, ThrowsMessage<Failure>(invalid));
}

TEST(BmpWriterTest, FitsFormatStopsAtTheLargest32BitFileSize) {
  // 54 header bytes plus rows of 12 bytes (4 pixels) must stay within 4294967295 bytes; an 8-bit
  // picture is counted with a full palette of 1024 bytes and rows of 4 bytes, a 32-bit picture one
  // pixel wide with rows of 4 bytes. Depths other than 8, 24 and 32 are not written at all.
  struct Case {
    int width, height, bitsPerPixel;
    bool fits;
  };
  const Case cases[] = {
      {1, 1, 24, true},          {4, 357913936, 24, true},   {4, 357913937, 24, false},
      {4, 1073741554, 8, true},  {4, 1073741555, 8, false},  {65000, 65000, 24, false},
      {65535, 21845, 24, true},  {0, 1, 24, false},          {1, 0, 8, false},
      {1, 1073741810, 32, true}, {1, 1073741811, 32, false}, {1, 1, 16, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(BmpWriter::FitsFormat(c.width, c.height, c.bitsPerPixel), c.fits)
        << c.width << "x" << c.height << "x" << c.bitsPerPixel;
  }
}

TEST(BmpWriterTest, ReportsAFolderThatDoesNotExist) {
  TempFolder folder;
  const std::string dest = folder / "missing/picture.bmp";
  EXPECT_THAT(
      [&] { BmpWriter(dest, 2, 2, 24); },
      ThrowsMessage<Failure>("Cannot create file \"" + dest + "\". No such file or directory"));
}

}  // namespace
}  // namespace lintavo
