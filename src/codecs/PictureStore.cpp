#include "codecs/PictureStore.h"

#include "codecs/BitmapCopy.h"
#include "codecs/BitmapFileSink.h"
#include "codecs/GifReader.h"
#include "codecs/JpegConversion.h"
#include "codecs/PngReader.h"
#include "codecs/TiffReader.h"

namespace lintavo {

void StorePictureAsBitmap(const std::string& source, PictureFormat format,
                          const std::string& dest) {
  if (format == PictureFormat::kJpeg) {
    ConvertJpegToBitmap(source, dest);
    return;
  }
  if (format == PictureFormat::kBmp) {
    CopyBitmapFile(source, dest);
    return;
  }
  BitmapFileSink bitmap(dest);
  switch (format) {
    case PictureFormat::kGif:
      ReadGif(source, bitmap);
      break;
    case PictureFormat::kTiff:
      ReadTiff(source, bitmap);
      break;
    default:  // PictureFormat::kPng
      ReadPng(source, bitmap);
      break;
  }
  bitmap.Commit();
}

}  // namespace lintavo
