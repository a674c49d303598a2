#include "codecs/BmpWriter.h"

#include <limits>
#include <utility>

#include "base/Failure.h"
#include "os/SystemError.h"

namespace lintavo {

namespace {

constexpr std::size_t kFileHeaderSize = 14;  // BITMAPFILEHEADER
constexpr std::size_t kInfoHeaderSize = 40;  // BITMAPINFOHEADER
constexpr std::size_t kPaletteEntrySize = 4;
constexpr std::size_t kMaxPaletteEntries = 256;
constexpr std::uint32_t kUncompressed = 0;  // BI_RGB

bool SupportedDepth(int bitsPerPixel) {
  return bitsPerPixel == 8 || bitsPerPixel == 24 || bitsPerPixel == 32;
}

// Rows are stored padded to a whole number of 32-bit words.
std::uint64_t StrideOf(int width, int bitsPerPixel) {
  return (static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(bitsPerPixel) + 31) / 32 *
         4;
}

std::size_t PixelDataOffset(std::size_t paletteEntries) {
  return kFileHeaderSize + kInfoHeaderSize + paletteEntries * kPaletteEntrySize;
}

// Appends little-endian fields to a header, independent of the machine's byte order and of any
// struct layout.
class HeaderBytes {
 public:
  void U16(std::uint32_t value) { Append(value, 2); }
  void U32(std::uint32_t value) { Append(value, 4); }
  void I32(std::int32_t value) { U32(static_cast<std::uint32_t>(value)); }
  void Byte(std::uint8_t value) { bytes_.push_back(value); }
  const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

 private:
  void Append(std::uint32_t value, int count) {
    for (int i = 0; i < count; ++i) {
      bytes_.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
  }

  std::vector<std::uint8_t> bytes_;
};

}  // namespace

std::size_t BmpWriter::RowStrideFor(int width, int bitsPerPixel) {
  return static_cast<std::size_t>(StrideOf(width, bitsPerPixel));
}

bool BmpWriter::FitsFormat(int width, int height, int bitsPerPixel) {
  if (width <= 0 || height <= 0 || !SupportedDepth(bitsPerPixel)) {
    return false;
  }
  // Counted with the largest palette the depth allows, so the answer holds for any palette.
  const std::size_t paletteEntries = bitsPerPixel == 8 ? kMaxPaletteEntries : 0;
  const std::uint64_t fileSize = PixelDataOffset(paletteEntries) +
                                 StrideOf(width, bitsPerPixel) * static_cast<std::uint64_t>(height);
  return fileSize <= std::numeric_limits<std::uint32_t>::max();
}

BmpWriter::BmpWriter(std::string dest, int width, int height, int bitsPerPixel,
                     std::vector<PaletteEntry> palette)
    : dest_(std::move(dest)),
      width_(width),
      height_(height),
      rowStride_(0),
      pixelDataOffset_(static_cast<std::uint32_t>(PixelDataOffset(palette.size()))) {
  const bool paletteFitsDepth = bitsPerPixel == 8
                                    ? !palette.empty() && palette.size() <= kMaxPaletteEntries
                                    : palette.empty();
  if (width <= 0 || height <= 0 || !SupportedDepth(bitsPerPixel) || !paletteFitsDepth) {
    Fail(os::ErrorCodeOf(os::ErrorCondition::kInvalidData));
  }
  if (!FitsFormat(width, height, bitsPerPixel)) {
    Fail(os::ErrorCodeOf(os::ErrorCondition::kFileTooLarge));
  }
  rowStride_ = static_cast<std::size_t>(StrideOf(width, bitsPerPixel));
  const std::uint32_t imageSize = static_cast<std::uint32_t>(rowStride_ * height_);

  HeaderBytes header;
  header.Byte('B');
  header.Byte('M');
  header.U32(pixelDataOffset_ + imageSize);  // bfSize
  header.U16(0);                             // bfReserved1
  header.U16(0);                             // bfReserved2
  header.U32(pixelDataOffset_);              // bfOffBits
  header.U32(kInfoHeaderSize);               // biSize
  header.I32(width_);                        // biWidth
  header.I32(height_);                       // biHeight: positive, rows stored bottom-up
  header.U16(1);                             // biPlanes
  header.U16(static_cast<std::uint32_t>(bitsPerPixel));
  header.U32(kUncompressed);  // biCompression
  header.U32(imageSize);      // biSizeImage
  header.I32(0);              // biXPelsPerMeter: no preferred resolution
  header.I32(0);              // biYPelsPerMeter
  header.U32(static_cast<std::uint32_t>(palette.size()));  // biClrUsed
  header.U32(0);                                           // biClrImportant: all
  for (const PaletteEntry& entry : palette) {
    header.Byte(entry.blue);
    header.Byte(entry.green);
    header.Byte(entry.red);
    header.Byte(entry.reserved);
  }

  if (const os::ErrorCode error = file_.Open(dest_)) {
    Fail(error);
  }
  if (const os::ErrorCode error = file_.WriteAt(0, header.Bytes().data(), header.Bytes().size())) {
    Fail(error);
  }
}

void BmpWriter::WriteRows(int topRow, const std::uint8_t* rows, int count) {
  if (topRow < 0 || count < 0 || count > height_ - topRow) {
    Fail(os::ErrorCodeOf(os::ErrorCondition::kInvalidData));
  }
  // The file holds the bottom row first, so the block's bottom row decides where it goes.
  const auto firstFileRow = static_cast<std::uint64_t>(height_ - topRow - count);
  const std::uint64_t offset = pixelDataOffset_ + firstFileRow * rowStride_;
  if (const os::ErrorCode error =
          file_.WriteAt(offset, rows, static_cast<std::size_t>(count) * rowStride_)) {
    Fail(error);
  }
}

void BmpWriter::Commit() {
  if (const os::ErrorCode error = file_.Commit()) {
    Fail(error);
  }
}

void BmpWriter::Fail(os::ErrorCode code) const {
  throw Failure("Cannot create file \"" + dest_ + "\". " + os::SystemErrorMessage(code));
}

}  // namespace lintavo
