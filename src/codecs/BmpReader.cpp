#include "codecs/BmpReader.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <utility>
#include <vector>

#include "base/FileBytes.h"
#include "codecs/PictureFailures.h"

namespace lintavo {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kCoreHeaderSize = 12;  // BITMAPCOREHEADER
constexpr std::size_t kInfoHeaderSize = 40;  // BITMAPINFOHEADER
constexpr std::size_t kMaskBytes = 16;       // bit field masks after a BITMAPINFOHEADER
// BITMAPINFOHEADER, its versions with masks (52, 56), OS/2's second header (64), BITMAPV4HEADER
// and BITMAPV5HEADER.
constexpr std::uint32_t kKnownInfoSizes[] = {kCoreHeaderSize, 40, 52, 56, 64, 108, 124};
constexpr std::size_t kLargestHeaders = kFileHeaderSize + 124 + kMaskBytes;

// Where the header fields lie, counted from the start of the file.
constexpr std::size_t kPixelDataOffsetAt = 10;
constexpr std::size_t kInfoSizeAt = kFileHeaderSize;
// A BITMAPCOREHEADER's 16-bit width, height, planes and depth.
constexpr std::size_t kCoreWidthAt = 18;
constexpr std::size_t kCoreHeightAt = 20;
constexpr std::size_t kCorePlanesAt = 22;
constexpr std::size_t kCoreDepthAt = 24;
// A BITMAPINFOHEADER's (and the later headers') fields: 32-bit width and height, 16-bit planes
// and depth, 32-bit compression and number of colours used.
constexpr std::size_t kWidthAt = 18;
constexpr std::size_t kHeightAt = 22;
constexpr std::size_t kPlanesAt = 26;
constexpr std::size_t kDepthAt = 28;
constexpr std::size_t kCompressionAt = 30;
constexpr std::size_t kColoursUsedAt = 46;

constexpr std::uint32_t kRgb = 0;  // BI_RGB
constexpr std::uint32_t kRle8 = 1;
constexpr std::uint32_t kRle4 = 2;
constexpr std::uint32_t kBitFields = 3;
constexpr std::uint32_t kAlphaBitFields = 6;

// Plain 16-bit pixels hold 5 bits per colour.
constexpr std::array<std::uint32_t, 4> kPlain16BitMasks = {0x7C00, 0x03E0, 0x001F, 0};

constexpr std::size_t kBytesPerPixel = 4;

bool UsesBitFields(std::uint32_t compression) {
  return compression == kBitFields || compression == kAlphaBitFields;
}

bool StoresPlainRows(std::uint32_t compression) {
  return compression == kRgb || UsesBitFields(compression);
}

bool DepthFits(int bitsPerPixel, std::uint32_t compression) {
  switch (compression) {
    case kRgb:
      return bitsPerPixel == 1 || bitsPerPixel == 4 || bitsPerPixel == 8 || bitsPerPixel == 16 ||
             bitsPerPixel == 24 || bitsPerPixel == 32;
    case kRle8:
      return bitsPerPixel == 8;
    case kRle4:
      return bitsPerPixel == 4;
    case kBitFields:
    case kAlphaBitFields:
      return bitsPerPixel == 16 || bitsPerPixel == 32;
    default:
      return false;
  }
}

// A pixel as the preview holds it: blue, green, red, alpha in the bytes of a word, lowest first.
std::uint32_t Word(std::uint8_t blue, std::uint8_t green, std::uint8_t red, std::uint8_t alpha) {
  return blue | std::uint32_t{green} << 8 | std::uint32_t{red} << 16 | std::uint32_t{alpha} << 24;
}

std::uint32_t Opaque(std::uint8_t blue, std::uint8_t green, std::uint8_t red) {
  return Word(blue, green, red, 255);
}

// One colour channel of a bit field pixel, scaled to 8 bits.
struct Channel {
  explicit Channel(std::uint32_t mask)
      : mask_(mask),
        shift_(mask == 0 ? 0 : std::countr_zero(mask)),
        largest_(mask == 0 ? 0 : mask >> shift_) {}

  std::uint8_t Of(std::uint32_t pixel, std::uint8_t whenAbsent) const {
    if (largest_ == 0) {
      return whenAbsent;
    }
    const std::uint64_t value = (pixel & mask_) >> shift_;
    return static_cast<std::uint8_t>((value * 255 + largest_ / 2) / largest_);
  }

 private:
  std::uint32_t mask_;
  int shift_;
  std::uint64_t largest_;
};

// Turns rows of the file into rows of 32-bit pixels.
class RowConverter {
 public:
  RowConverter(const BmpFileFacts& facts, std::vector<std::uint32_t> palette)
      : facts_(facts),
        palette_(std::move(palette)),
        red_(Masks()[0]),
        green_(Masks()[1]),
        blue_(Masks()[2]),
        alpha_(Masks()[3]) {}

  void Convert(const std::uint8_t* from, std::uint8_t* to) const {
    for (int x = 0; x < facts_.width; ++x, to += kBytesPerPixel) {
      Store(PixelAt(from, x), to);
    }
  }

 private:
  const std::array<std::uint32_t, 4>& Masks() const {
    return UsesBitFields(facts_.compression) ? facts_.masks : kPlain16BitMasks;
  }

  std::uint32_t PixelAt(const std::uint8_t* row, int x) const {
    const auto at = static_cast<std::size_t>(x);
    switch (facts_.bitsPerPixel) {
      case 1:
      case 4:
      case 8: {
        const int bits = facts_.bitsPerPixel;
        const std::size_t bitAt = at * static_cast<std::size_t>(bits);
        const unsigned index =
            row[bitAt / 8] >> (8 - bits - static_cast<int>(bitAt % 8)) & ((1u << bits) - 1);
        return index < palette_.size() ? palette_[index] : Opaque(0, 0, 0);
      }
      case 16:
        return FromFields(row[2 * at] | std::uint32_t{row[2 * at + 1]} << 8);
      case 24:
        return Opaque(row[3 * at], row[3 * at + 1], row[3 * at + 2]);
      default: {  // 32
        const std::uint8_t* pixel = row + 4 * at;
        if (!UsesBitFields(facts_.compression)) {
          return Opaque(pixel[0], pixel[1], pixel[2]);
        }
        return FromFields(pixel[0] | std::uint32_t{pixel[1]} << 8 | std::uint32_t{pixel[2]} << 16 |
                          std::uint32_t{pixel[3]} << 24);
      }
    }
  }

  std::uint32_t FromFields(std::uint32_t pixel) const {
    return Word(blue_.Of(pixel, 0), green_.Of(pixel, 0), red_.Of(pixel, 0), alpha_.Of(pixel, 255));
  }

  static void Store(std::uint32_t word, std::uint8_t* to) {
    for (std::size_t i = 0; i < kBytesPerPixel; ++i) {
      to[i] = static_cast<std::uint8_t>(word >> (8 * i));
    }
  }

  const BmpFileFacts& facts_;
  std::vector<std::uint32_t> palette_;
  Channel red_, green_, blue_, alpha_;
};

std::vector<std::uint32_t> ReadPalette(PictureFile& file, const BmpFileFacts& facts) {
  const std::size_t entrySize = facts.coreHeader ? 3 : 4;
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(facts.paletteEntries) * entrySize);
  if (std::fseek(file.Stream(), static_cast<long>(facts.paletteOffset), SEEK_SET) != 0 ||
      file.Read(bytes.data(), bytes.size()) != bytes.size()) {
    FailEndsEarly(file.Path());
  }
  std::vector<std::uint32_t> palette;
  for (std::size_t at = 0; at < bytes.size(); at += entrySize) {
    palette.push_back(Opaque(bytes[at], bytes[at + 1], bytes[at + 2]));
  }
  return palette;
}

}  // namespace

BmpFileFacts ReadBmpFileFacts(PictureFile& file) {
  const std::string& path = file.Path();
  std::array<std::uint8_t, kLargestHeaders> buffer{};
  const std::size_t got = file.Read(buffer.data(), buffer.size());
  if (got == 0) {
    FailEmpty(path);
  }
  if (buffer[0] != 'B' || (got > 1 && buffer[1] != 'M')) {
    FailNotA(path, "BMP");
  }
  const FileBytes header(std::string(reinterpret_cast<const char*>(buffer.data()), got));
  if (!header.Has(kInfoSizeAt, 4)) {
    FailEndsEarly(path);
  }
  const std::uint32_t infoSize = header.U32(kInfoSizeAt);
  if (std::find(std::begin(kKnownInfoSizes), std::end(kKnownInfoSizes), infoSize) ==
      std::end(kKnownInfoSizes)) {
    FailDamaged(path, "its header is of an unknown kind");
  }
  if (!header.Has(0, kFileHeaderSize + infoSize)) {
    FailEndsEarly(path);
  }

  BmpFileFacts facts;
  std::int64_t height = 0;
  std::uint32_t planes = 0;
  std::uint32_t coloursUsed = 0;
  if (infoSize == kCoreHeaderSize) {
    facts.coreHeader = true;
    facts.width = static_cast<int>(header.U16(kCoreWidthAt));
    height = header.U16(kCoreHeightAt);
    planes = header.U16(kCorePlanesAt);
    facts.bitsPerPixel = static_cast<int>(header.U16(kCoreDepthAt));
  } else {
    facts.width = static_cast<std::int32_t>(header.U32(kWidthAt));
    height = static_cast<std::int32_t>(header.U32(kHeightAt));
    planes = header.U16(kPlanesAt);
    facts.bitsPerPixel = static_cast<int>(header.U16(kDepthAt));
    facts.compression = header.U32(kCompressionAt);
    coloursUsed = header.U32(kColoursUsedAt);
  }
  std::uint64_t paletteOffset = kFileHeaderSize + infoSize;
  if (UsesBitFields(facts.compression)) {
    const std::size_t maskCount = facts.compression == kAlphaBitFields ? 4 : 3;
    // A BITMAPINFOHEADER is followed by the masks; the later headers hold them.
    const std::size_t masksAt = kFileHeaderSize + kInfoHeaderSize;
    if (infoSize == kInfoHeaderSize) {
      paletteOffset += maskCount * 4;
    }
    if (!header.Has(masksAt, maskCount * 4)) {
      FailEndsEarly(path);
    }
    for (std::size_t i = 0; i < maskCount; ++i) {
      facts.masks[i] = header.U32(masksAt + 4 * i);
    }
  }

  if (planes != 1) {
    FailDamaged(path, "it has " + std::to_string(planes) + " colour planes");
  }
  if (!DepthFits(facts.bitsPerPixel, facts.compression)) {
    FailDamaged(path, "its depth of " + std::to_string(facts.bitsPerPixel) +
                          " bits per pixel does not fit its compression " +
                          std::to_string(facts.compression));
  }
  facts.topRowFirst = height < 0;
  height = height < 0 ? -height : height;
  if (facts.width <= 0 || height == 0 || height > INT32_MAX) {
    FailDamaged(path, "its size is " + std::to_string(facts.width) + " x " +
                          std::to_string(height) + " pixels");
  }
  facts.height = static_cast<int>(height);

  facts.pixelDataOffset = header.U32(kPixelDataOffsetAt);
  if (facts.pixelDataOffset < paletteOffset) {
    FailDamaged(path, "its pixel data overlaps its headers");
  }
  facts.paletteOffset = static_cast<std::uint32_t>(paletteOffset);
  if (facts.bitsPerPixel <= 8) {
    const std::uint32_t largest = 1u << facts.bitsPerPixel;
    const std::uint32_t wanted =
        coloursUsed == 0 ? largest : std::min<std::uint32_t>(coloursUsed, largest);
    // A palette cannot reach into the pixel data.
    const std::uint32_t room =
        (facts.pixelDataOffset - facts.paletteOffset) / (facts.coreHeader ? 3 : 4);
    facts.paletteEntries = static_cast<int>(std::min(wanted, room));
  }

  const std::uint64_t pixelBytes = StoresPlainRows(facts.compression)
                                       ? BmpWriter::RowStrideFor(facts.width, facts.bitsPerPixel) *
                                             static_cast<std::uint64_t>(facts.height)
                                       : 0;
  if (facts.pixelDataOffset + pixelBytes > file.Size()) {
    FailEndsEarly(path);
  }
  return facts;
}

void ReadBmp(const std::string& path, PictureSink& sink) {
  PictureFile file;
  file.OpenOrFail(path);
  const BmpFileFacts facts = ReadBmpFileFacts(file);
  if (!StoresPlainRows(facts.compression)) {
    FailUnsupported(path, "its pixels are run-length encoded");
  }
  CheckPictureSize(path, static_cast<std::uint64_t>(facts.width),
                   static_cast<std::uint64_t>(facts.height));
  const RowConverter converter(facts, ReadPalette(file, facts));

  const BitmapLayout layout{facts.width, facts.height, 32, {}};
  sink.Start(layout);
  const std::size_t fileStride = BmpWriter::RowStrideFor(facts.width, facts.bitsPerPixel);
  const std::size_t stride = layout.RowStride();
  const int blockRows = RowsPerBlock(stride, facts.height);
  std::vector<std::uint8_t> fileRow(fileStride);
  std::vector<std::uint8_t> block(stride * static_cast<std::size_t>(blockRows));
  if (std::fseek(file.Stream(), static_cast<long>(facts.pixelDataOffset), SEEK_SET) != 0) {
    FailEndsEarly(path);
  }
  // The rows are read in file order, a block at a time.
  for (int first = 0; first < facts.height; first += blockRows) {
    const int count = std::min(blockRows, facts.height - first);
    for (int i = 0; i < count; ++i) {
      if (file.Read(fileRow.data(), fileStride) != fileStride) {
        FailEndsEarly(path);
      }
      // The block holds its bottom row first, as the file does unless it stores the top first.
      const int blockRow = facts.topRowFirst ? count - 1 - i : i;
      converter.Convert(fileRow.data(), block.data() + static_cast<std::size_t>(blockRow) * stride);
    }
    sink.PutRows(facts.topRowFirst ? first : facts.height - first - count, block.data(), count);
  }
}

}  // namespace lintavo
