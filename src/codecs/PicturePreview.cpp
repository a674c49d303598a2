#include "codecs/PicturePreview.h"

#include "codecs/BmpReader.h"
#include "codecs/GifReader.h"
#include "codecs/JpegConversion.h"
#include "codecs/JpegReader.h"
#include "codecs/PictureFailures.h"
#include "codecs/PngReader.h"
#include "codecs/PreviewCanvas.h"
#include "codecs/TiffReader.h"

namespace lintavo {

namespace {

void ReadScaledJpeg(const std::string& path, int minWidth, int minHeight, PictureSink& sink) {
  JpegReader picture(path);
  picture.ScaleToCover(minWidth, minHeight);
  CheckPictureSize(path, static_cast<std::uint64_t>(picture.OutputWidth()),
                   static_cast<std::uint64_t>(picture.OutputHeight()));
  DecodeJpeg(picture, sink);
}

}  // namespace

PreviewPicture DecodePictureForPreview(const std::string& path, PictureFormat format, int minWidth,
                                       int minHeight) {
  PreviewCanvas canvas;
  switch (format) {
    case PictureFormat::kJpeg:
      ReadScaledJpeg(path, minWidth, minHeight, canvas);
      break;
    case PictureFormat::kGif:
      ReadGif(path, canvas);
      break;
    case PictureFormat::kBmp:
      ReadBmp(path, canvas);
      break;
    case PictureFormat::kTiff:
      ReadTiff(path, canvas);
      break;
    case PictureFormat::kPng:
      ReadPng(path, canvas);
      break;
  }
  return {canvas.Width(), canvas.Height(), canvas.TakePixels()};
}

}  // namespace lintavo
