#include "codecs/PictureFormat.h"

#include <string>

#include "base/PathText.h"
#include "base/Text.h"
#include "os/Paths.h"

namespace lintavo {

namespace {

struct Extension {
  std::string_view text;
  PictureFormat format;
};

constexpr Extension kExtensions[] = {
    {"jpg", PictureFormat::kJpeg}, {"jpeg", PictureFormat::kJpeg}, {"gif", PictureFormat::kGif},
    {"bmp", PictureFormat::kBmp},  {"tif", PictureFormat::kTiff},  {"tiff", PictureFormat::kTiff},
    {"png", PictureFormat::kPng},
};

// Where the last path component starts: after the last delimiter of the platform, or after the
// last "/", which every platform the program runs on takes as one.
std::string_view LastComponent(std::string_view path) {
  const std::size_t delimiter = path.find_last_of(std::string{'/', base::kPathDelimiter});
  return delimiter == std::string_view::npos ? path : path.substr(delimiter + 1);
}

}  // namespace

std::optional<PictureFormat> PictureFormatOfFileName(std::string_view fileName) {
  const std::string_view name = LastComponent(fileName);
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos) {
    return std::nullopt;
  }
  const std::string extension = base::AsciiLowerCase(name.substr(dot + 1));
  for (const Extension& known : kExtensions) {
    if (extension == known.text) {
      return known.format;
    }
  }
  return std::nullopt;
}

}  // namespace lintavo
