// Fuzz target for PNG pictures, stored as a background bitmap and decoded for the preview by the
// same reader: both fail alike, or the bitmap is whole and the preview shows its pixels
// (CheckStoredAndShownAlike). The input is the picture file, its chunks' checksums put right.
#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "PictureFuzzing.h"

namespace {

namespace fuzz = lintavo::fuzz;

constexpr std::size_t kSignatureSize = 8;
// The IHDR chunk that must follow the signature holds the width and the height.
constexpr std::size_t kWidthAt = 16;
constexpr std::size_t kHeightAt = 20;
// A chunk: its data's length, its type, the data, and the checksum of type and data.
constexpr std::size_t kLengthSize = 4;
constexpr std::size_t kTypeSize = 4;
constexpr std::size_t kChecksumSize = 4;

std::uint64_t BigEndian32(const std::uint8_t* bytes) {
  return std::uint64_t{bytes[0]} << 24 | std::uint64_t{bytes[1]} << 16 |
         std::uint64_t{bytes[2]} << 8 | bytes[3];
}

// libpng refuses a chunk whose checksum does not match, and nearly every mutation breaks one; the
// checksum of every whole chunk is put right first, so the fuzzer reaches what lies behind it.
// (The codec tests cover a checksum that does not match.)
std::string WithChunkChecksumsRight(const std::uint8_t* data, std::size_t size) {
  std::string bytes(fuzz::AsText(data, size));
  auto* at = reinterpret_cast<std::uint8_t*>(bytes.data());
  for (std::size_t chunk = kSignatureSize;
       chunk + kLengthSize + kTypeSize + kChecksumSize <= size;) {
    const std::uint64_t length = BigEndian32(at + chunk);
    const std::size_t checksumAt = chunk + kLengthSize + kTypeSize + length;
    if (length > size || checksumAt + kChecksumSize > size) {
      break;
    }
    const uLong checksum =
        crc32(0, at + chunk + kLengthSize, static_cast<uInt>(kTypeSize + length));
    for (std::size_t i = 0; i < kChecksumSize; ++i) {
      at[checksumAt + i] = static_cast<std::uint8_t>(checksum >> (8 * (kChecksumSize - 1 - i)));
    }
    chunk = checksumAt + kChecksumSize;
  }
  return bytes;
}

std::uint64_t ClaimedPixels(const std::uint8_t* data, std::size_t size) {
  return size < kHeightAt + 4 ? 0 : BigEndian32(data + kWidthAt) * BigEndian32(data + kHeightAt);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (ClaimedPixels(data, size) > fuzz::kMaxPicturePixels) {
    return 0;
  }
  const std::string picture = WithChunkChecksumsRight(data, size);
  const fuzz::PictureInput input(reinterpret_cast<const std::uint8_t*>(picture.data()),
                                 picture.size(), "png");
  fuzz::CheckStoredAndShownAlike(input, lintavo::PictureFormat::kPng);
  return 0;
}
