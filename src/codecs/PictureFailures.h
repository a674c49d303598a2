#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The failures the picture readers report, worded alike for every format, and the size limit they
// share.
namespace lintavo {

// The most memory a decoded picture may take, counted at 32 bits per pixel, the form in which the
// preview holds it whole. Larger pictures are refused before anything is decoded, so a small file
// claiming an enormous size (a decompression bomb) never takes more. 128 Mi pixels is far beyond
// any sensible page background.
inline constexpr std::uint64_t kMaxDecodedBytes = 512ull * 1024 * 1024;

// Failure "The picture "<path>" is damaged: <what>".
[[noreturn]] void FailDamaged(const std::string& path, std::string_view what);
// Failure "The picture "<path>" is damaged: the file ends early".
[[noreturn]] void FailEndsEarly(const std::string& path);
// Failure "The picture "<path>" is an empty file".
[[noreturn]] void FailEmpty(const std::string& path);
// Failure "The picture "<path>" is not a <format> file".
[[noreturn]] void FailNotA(const std::string& path, std::string_view format);
// Failure "The picture "<path>" cannot be shown: <what>", for a valid picture in a variant of its
// format that the program does not decode.
[[noreturn]] void FailUnsupported(const std::string& path, std::string_view what);

// Refuses a picture without pixels as damaged ("... is damaged: its size is 0 x 5 pixels") and one
// over kMaxDecodedBytes as too large ("The picture "<path>" is too large: 20000 x 10000 pixels
// take more than 512 MB").
void CheckPictureSize(const std::string& path, std::uint64_t width, std::uint64_t height);

// Whether a picture of this size stays within kMaxDecodedBytes.
bool FitsDecodeLimit(std::uint64_t width, std::uint64_t height);

// Failure "The picture "<path>" is too large: <width> x <height> pixels take more than 512 MB".
[[noreturn]] void FailTooLarge(const std::string& path, std::uint64_t width, std::uint64_t height);

// Failure "The picture "<path>" is too large: a BMP file cannot be over 4 GB", for a file that
// is larger than the format's 32-bit sizes can describe.
[[noreturn]] void FailBitmapFileTooLarge(const std::string& path);

// Refuses, as damaged, a picture whose `pixels` could not come out of `fileSize` bytes even at the
// format's best compression of `maxPixelsPerByte`: "... is damaged: its 120 bytes cannot hold
// 6000 x 4000 pixels". Such a file is cut short or lies about its size, and is refused before
// anything is decoded.
void CheckFileCanHold(const std::string& path, std::uint64_t fileSize, std::uint64_t width,
                      std::uint64_t height, std::uint64_t maxPixelsPerByte);

}  // namespace lintavo
