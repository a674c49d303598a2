#include "codecs/PictureFailures.h"

#include "base/Failure.h"

namespace lintavo {

namespace {

constexpr std::uint64_t kBytesPerDecodedPixel = 4;

std::string Quoted(const std::string& path) {
  return "The picture \"" + path + "\"";
}

std::string SizeText(std::uint64_t width, std::uint64_t height) {
  return std::to_string(width) + " x " + std::to_string(height) + " pixels";
}

}  // namespace

void FailDamaged(const std::string& path, std::string_view what) {
  throw Failure(Quoted(path) + " is damaged: " + std::string(what));
}

void FailEndsEarly(const std::string& path) {
  FailDamaged(path, "the file ends early");
}

void FailEmpty(const std::string& path) {
  throw Failure(Quoted(path) + " is an empty file");
}

void FailNotA(const std::string& path, std::string_view format) {
  throw Failure(Quoted(path) + " is not a " + std::string(format) + " file");
}

void FailUnsupported(const std::string& path, std::string_view what) {
  throw Failure(Quoted(path) + " cannot be shown: " + std::string(what));
}

bool FitsDecodeLimit(std::uint64_t width, std::uint64_t height) {
  // Each side is below 2^32, so the product cannot overflow before the division.
  return width <= kMaxDecodedBytes && height <= kMaxDecodedBytes &&
         width * height <= kMaxDecodedBytes / kBytesPerDecodedPixel;
}

void FailTooLarge(const std::string& path, std::uint64_t width, std::uint64_t height) {
  throw Failure(Quoted(path) + " is too large: " + SizeText(width, height) + " take more than " +
                std::to_string(kMaxDecodedBytes / (1024 * 1024)) + " MB");
}

void FailBitmapFileTooLarge(const std::string& path) {
  throw Failure(Quoted(path) + " is too large: a BMP file cannot be over 4 GB");
}

void CheckPictureSize(const std::string& path, std::uint64_t width, std::uint64_t height) {
  if (width == 0 || height == 0) {
    FailDamaged(path, "its size is " + SizeText(width, height));
  }
  if (!FitsDecodeLimit(width, height)) {
    FailTooLarge(path, width, height);
  }
}

void CheckFileCanHold(const std::string& path, std::uint64_t fileSize, std::uint64_t width,
                      std::uint64_t height, std::uint64_t maxPixelsPerByte) {
  // Sizes within the decode limit keep every product here far below 2^64; one byte more than the
  // file leaves room for rounding.
  if (width * height / maxPixelsPerByte > fileSize + 1) {
    FailDamaged(
        path, "its " + std::to_string(fileSize) + " bytes cannot hold " + SizeText(width, height));
  }
}

}  // namespace lintavo
