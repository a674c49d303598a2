// The floor under storing a PNG, TIFF or GIF picture: the picture's own library decodes every row
// of the file into one reused buffer and nothing more, so no conversion and no writing count. Our
// conversion is timed against it by compare_pictures.sh, as the JPEG one is against djpeg decoding
// to /dev/null.
#include <gif_lib.h>
#include <png.h>
#include <tiffio.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

bool EndsWith(const std::string& text, const char* end) {
  const std::size_t length = std::strlen(end);
  return text.size() >= length && text.compare(text.size() - length, length, end) == 0;
}

// libpng's rows as the file holds them (no transformations), one at a time.
bool DecodePng(const char* path) {
  std::FILE* file = std::fopen(path, "rb");
  if (file == nullptr) {
    return false;
  }
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  bool decoded = false;
  if (setjmp(png_jmpbuf(png)) == 0) {
    png_init_io(png, file);
    png_read_info(png, info);
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    std::vector<png_byte> row(png_get_rowbytes(png, info));
    const png_uint_32 height = png_get_image_height(png, info);
    for (int pass = 0; pass < passes; ++pass) {
      for (png_uint_32 y = 0; y < height; ++y) {
        png_read_row(png, row.data(), nullptr);
      }
    }
    png_read_end(png, nullptr);
    decoded = true;
  }
  png_destroy_read_struct(&png, &info, nullptr);
  std::fclose(file);
  return decoded;
}

// libtiff's decoded strips or tiles, the samples as stored, one at a time.
bool DecodeTiff(const char* path) {
  TIFF* tiff = TIFFOpen(path, "r");
  if (tiff == nullptr) {
    return false;
  }
  const bool tiled = TIFFIsTiled(tiff) != 0;
  const tmsize_t unitSize = tiled ? TIFFTileSize(tiff) : TIFFStripSize(tiff);
  const std::uint32_t units = tiled ? TIFFNumberOfTiles(tiff) : TIFFNumberOfStrips(tiff);
  std::vector<unsigned char> buffer(static_cast<std::size_t>(unitSize));
  bool decoded = true;
  for (std::uint32_t unit = 0; unit < units && decoded; ++unit) {
    decoded = (tiled ? TIFFReadEncodedTile(tiff, unit, buffer.data(), unitSize)
                     : TIFFReadEncodedStrip(tiff, unit, buffer.data(), unitSize)) >= 0;
  }
  TIFFClose(tiff);
  return decoded;
}

// giflib's rows of the first frame, one at a time.
bool DecodeGif(const char* path) {
  int error = 0;
  GifFileType* gif = DGifOpenFileName(path, &error);
  if (gif == nullptr) {
    return false;
  }
  bool decoded = false;
  for (GifRecordType type = UNDEFINED_RECORD_TYPE; !decoded;) {
    if (DGifGetRecordType(gif, &type) == GIF_ERROR || type == TERMINATE_RECORD_TYPE) {
      break;
    }
    if (type == IMAGE_DESC_RECORD_TYPE) {
      if (DGifGetImageDesc(gif) == GIF_ERROR) {
        break;
      }
      std::vector<GifPixelType> row(static_cast<std::size_t>(gif->Image.Width));
      decoded = true;
      for (int y = 0; y < gif->Image.Height && decoded; ++y) {
        decoded = DGifGetLine(gif, row.data(), gif->Image.Width) == GIF_OK;
      }
      break;
    }
    int code = 0;
    GifByteType* block = nullptr;
    if (DGifGetExtension(gif, &code, &block) == GIF_ERROR) {
      break;
    }
    while (block != nullptr) {
      if (DGifGetExtensionNext(gif, &block) == GIF_ERROR) {
        break;
      }
    }
  }
  DGifCloseFile(gif, nullptr);
  return decoded;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s PICTURE.png|.tif|.gif\n", argv[0]);
    return 2;
  }
  const std::string path = argv[1];
  bool decoded = false;
  if (EndsWith(path, ".png")) {
    decoded = DecodePng(argv[1]);
  } else if (EndsWith(path, ".tif") || EndsWith(path, ".tiff")) {
    decoded = DecodeTiff(argv[1]);
  } else if (EndsWith(path, ".gif")) {
    decoded = DecodeGif(argv[1]);
  } else {
    std::fprintf(stderr, "%s: not a PNG, TIFF or GIF file name\n", argv[1]);
    return 2;
  }
  if (!decoded) {
    std::fprintf(stderr, "%s: cannot be decoded\n", argv[1]);
    return 1;
  }
  return 0;
}
