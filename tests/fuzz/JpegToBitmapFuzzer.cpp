// Fuzz target for the JPEG to BMP conversion. The input is the picture file. A conversion either
// writes a complete 24-bit bitmap of the picture's size or fails with a Failure and leaves no
// file behind, not even a partial one.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "FuzzSupport.h"
#include "codecs/JpegConversion.h"
#include "codecs/JpegReader.h"
#include "os/Failure.h"

namespace {

namespace fs = std::filesystem;
namespace fuzz = lintavo::fuzz;

// Larger pictures take long to write and teach the fuzzer nothing new; 4096 x 4096 still lets
// every picture of 4000 x 4000 through.
constexpr long long kMaxPixels = 4096LL * 4096;

constexpr std::size_t kBmpHeaderSize = 54;  // BITMAPFILEHEADER and BITMAPINFOHEADER

std::int32_t LittleEndian32(const std::string& bytes, std::size_t offset) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) {
    value |= std::uint32_t{static_cast<unsigned char>(bytes[offset + i])} << (8 * i);
  }
  return static_cast<std::int32_t>(value);
}

void CheckBitmap(const std::string& path, int width, int height) {
  const auto rowStride = (static_cast<std::uintmax_t>(width) * 3 + 3) / 4 * 4;
  const std::uintmax_t expectedSize = kBmpHeaderSize + rowStride * static_cast<unsigned>(height);
  fuzz::Expect(fs::file_size(path) == expectedSize, "the bitmap does not have the picture's size");
  std::ifstream in(path, std::ios::binary);
  std::string header(kBmpHeaderSize, '\0');
  in.read(header.data(), static_cast<std::streamsize>(header.size()));
  fuzz::Expect(header.starts_with("BM") && LittleEndian32(header, 18) == width &&
                   LittleEndian32(header, 22) == height,
               "the bitmap's header does not give the picture's size");
}

// The folder holds nothing but the picture: a failed conversion left no partial bitmap.
void CheckNothingBeside(const fs::path& folder, const fs::path& source) {
  for (const auto& entry : fs::directory_iterator(folder)) {
    fuzz::Expect(entry.path() == source,
                 "a failed conversion left " + entry.path().filename().string() + " behind");
  }
}

void Convert(const fs::path& folder, const fs::path& source, const fs::path& dest) {
  int width = 0;
  int height = 0;
  try {
    const lintavo::JpegReader picture(source.string());
    width = picture.Width();
    height = picture.Height();
  } catch (const lintavo::Failure&) {
    return;
  }
  if (static_cast<long long>(width) * height > kMaxPixels) {
    return;
  }
  try {
    lintavo::ConvertJpegToBitmap(source.string(), dest.string());
  } catch (const lintavo::Failure&) {
    CheckNothingBeside(folder, source);
    return;
  }
  CheckBitmap(dest.string(), width, height);
}

fs::path MadeFolder() {
  const fs::path folder = fuzz::Scratch::Get() / "jpeg";
  fs::create_directories(folder);
  return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const fs::path folder = MadeFolder();
  const fs::path source = folder / "picture.jpg";
  const fs::path dest = folder / "picture.bmp";
  fuzz::WriteBytes(source.string(), fuzz::AsText(data, size));
  Convert(folder, source, dest);
  fs::remove(source);
  fs::remove(dest);
  return 0;
}
