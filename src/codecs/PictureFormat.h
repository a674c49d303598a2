#pragma once

#include <optional>
#include <string_view>

namespace lintavo {

// The kinds of picture a page background can be made from.
enum class PictureFormat { kJpeg, kGif, kBmp, kTiff, kPng };

// The format a file's name promises, by its extension alone: the part after the last "." of the
// name's last path component, compared without regard to case. ".jpg" and ".jpeg" are JPEG, ".gif"
// GIF, ".bmp" BMP, ".tif" and ".tiff" TIFF, ".png" PNG; any other extension, or none (a dot in a
// folder's name does not count), gives nothing.
std::optional<PictureFormat> PictureFormatOfFileName(std::string_view fileName);

}  // namespace lintavo
