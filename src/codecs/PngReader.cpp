#include "codecs/PngReader.h"

#include <png.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <new>
#include <string_view>
#include <vector>

#include "codecs/PictureFailures.h"
#include "codecs/PictureFile.h"

namespace lintavo {

namespace {

// The signature, then the first chunk's length and type and, in the IHDR chunk that must come
// first, the width and the height.
constexpr std::size_t kSignatureSize = 8;
constexpr std::size_t kHeaderSize = kSignatureSize + 16;
constexpr std::size_t kChunkTypeAt = kSignatureSize + 4;
constexpr std::size_t kWidthAt = kSignatureSize + 8;
constexpr std::size_t kHeightAt = kSignatureSize + 12;

// Deflate's best: a match of 258 bytes coded in 2 bits, 1032 bytes per byte of data, or 8256
// bits, which every PNG pixel size divides.
constexpr std::uint64_t kMaxBitsPerDataByte = 1032 * 8;

std::uint32_t BigEndian32(const std::uint8_t* bytes) {
  return std::uint32_t{bytes[0]} << 24 | std::uint32_t{bytes[1]} << 16 |
         std::uint32_t{bytes[2]} << 8 | bytes[3];
}

// libpng's decoder on one file. libpng reports errors by calling back into us from inside its C
// code, where a C++ exception must not pass: the callback jumps back to the call that entered
// libpng (Guarded), and that call throws the Failure. The frames the jump skips are libpng's and
// the lambdas', none of which holds an object with a destructor. The first bytes of the file are
// read ahead (Header), so a file that is empty, no PNG or of no size gets our own message; libpng
// is then fed those bytes again before the rest.
class PngDecoder {
 public:
  explicit PngDecoder(PictureFile& file) : file_(file) {
    png_ = png_create_read_struct(PNG_LIBPNG_VER_STRING, this, OnError, OnWarning);
    if (png_ == nullptr) {
      throw std::bad_alloc();
    }
    info_ = png_create_info_struct(png_);
    if (info_ == nullptr) {
      png_destroy_read_struct(&png_, nullptr, nullptr);
      throw std::bad_alloc();
    }
    png_set_read_fn(png_, this, OnRead);
  }
  PngDecoder(const PngDecoder&) = delete;
  PngDecoder& operator=(const PngDecoder&) = delete;
  ~PngDecoder() { png_destroy_read_struct(&png_, &info_, nullptr); }

  // Reads the signature and the size ahead of libpng and refuses what is plainly no picture.
  void CheckHeader() {
    const std::string& path = file_.Path();
    headerSize_ = file_.Read(header_.data(), header_.size());
    if (headerSize_ == 0) {
      FailEmpty(path);
    }
    const std::size_t signatureBytes = std::min(headerSize_, kSignatureSize);
    if (png_sig_cmp(header_.data(), 0, signatureBytes) != 0) {
      FailNotA(path, "PNG");
    }
    if (headerSize_ < kHeaderSize) {
      FailEndsEarly(path);
    }
    if (std::string_view(reinterpret_cast<const char*>(&header_[kChunkTypeAt]), 4) == "IHDR") {
      CheckPictureSize(path, BigEndian32(&header_[kWidthAt]), BigEndian32(&header_[kHeightAt]));
    }
  }

  template <typename Call>
  auto Guarded(Call call) {
    if (setjmp(png_jmpbuf(png_)) != 0) {
      if (endedEarly_) {
        FailEndsEarly(file_.Path());
      }
      FailDamaged(file_.Path(), message_.data());
    }
    return call();
  }

  png_structp Png() const { return png_; }
  png_infop Info() const { return info_; }

 private:
  static PngDecoder& Of(png_structp png) { return *static_cast<PngDecoder*>(png_get_io_ptr(png)); }

  static void OnRead(png_structp png, png_bytep data, std::size_t size) {
    PngDecoder& decoder = Of(png);
    std::size_t got = 0;
    if (decoder.headerServed_ < decoder.headerSize_) {
      got = std::min(size, decoder.headerSize_ - decoder.headerServed_);
      std::memcpy(data, decoder.header_.data() + decoder.headerServed_, got);
      decoder.headerServed_ += got;
    }
    got += decoder.file_.Read(data + got, size - got);
    if (got != size) {
      decoder.endedEarly_ = true;
      png_error(png, "the file ends early");
    }
  }

  static void OnError(png_structp png, png_const_charp message) {
    PngDecoder& decoder = *static_cast<PngDecoder*>(png_get_error_ptr(png));
    // Copied into a buffer of our own, as nothing may allocate on the way back.
    std::snprintf(decoder.message_.data(), decoder.message_.size(), "%s", message);
    png_longjmp(png, 1);
  }

  // Warnings are about damage libpng can live with; so can we, without a word.
  static void OnWarning(png_structp, png_const_charp) {}

  PictureFile& file_;
  png_structp png_ = nullptr;
  png_infop info_ = nullptr;
  std::array<std::uint8_t, kHeaderSize> header_{};
  std::size_t headerSize_ = 0;
  std::size_t headerServed_ = 0;
  bool endedEarly_ = false;
  std::array<char, 256> message_{};
};

// Asks libpng for the pixel format chosen above and returns the layout it gives.
BitmapLayout ChooseLayout(const std::string& path, png_structp png, png_infop info) {
  BitmapLayout layout;
  layout.width = static_cast<int>(png_get_image_width(png, info));
  layout.height = static_cast<int>(png_get_image_height(png, info));
  const int colourType = png_get_color_type(png, info);
  const int bitDepth = png_get_bit_depth(png, info);
  if (colourType == PNG_COLOR_TYPE_PALETTE) {
    png_set_packing(png);  // 1, 2 and 4-bit indices to one byte each
    png_colorp colours = nullptr;
    int count = 0;
    png_get_PLTE(png, info, &colours, &count);
    for (int i = 0; i < count; ++i) {
      layout.palette.push_back({colours[i].blue, colours[i].green, colours[i].red, 0});
    }
    if (layout.palette.empty()) {
      FailDamaged(path, "it has no palette");
    }
    layout.bitsPerPixel = 8;
    return layout;
  }
  if (bitDepth == 16) {
    png_set_scale_16(png);  // rounds, where stripping the low byte would truncate
  }
  if ((colourType & PNG_COLOR_MASK_COLOR) == 0) {
    png_set_expand_gray_1_2_4_to_8(png);
    png_set_gray_to_rgb(png);
  }
  const bool transparentColour = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
  if (transparentColour) {
    png_set_tRNS_to_alpha(png);
  }
  png_set_bgr(png);
  layout.bitsPerPixel = (colourType & PNG_COLOR_MASK_ALPHA) != 0 || transparentColour ? 32 : 24;
  return layout;
}

// The most pixels one byte of the file can stand for: the picture's data holds at least its
// pixels' bits, deflated.
std::uint64_t MaxPixelsPerByte(png_structp png, png_infop info) {
  const unsigned bitsPerPixel = png_get_channels(png, info) * png_get_bit_depth(png, info);
  return kMaxBitsPerDataByte / bitsPerPixel;
}

void StreamRows(PngDecoder& decoder, const BitmapLayout& layout, PictureSink& sink) {
  const std::size_t stride = layout.RowStride();
  const int blockRows = RowsPerBlock(stride, layout.height);
  // Zero-filled once: libpng writes only the pixels, so each row's padding stays zero.
  std::vector<std::uint8_t> block(static_cast<std::size_t>(blockRows) * stride);
  std::vector<png_bytep> rows(static_cast<std::size_t>(blockRows));
  for (int top = 0; top < layout.height; top += blockRows) {
    const int count = std::min(blockRows, layout.height - top);
    for (int i = 0; i < count; ++i) {
      rows[static_cast<std::size_t>(i)] =
          block.data() + static_cast<std::size_t>(count - 1 - i) * stride;
    }
    decoder.Guarded([&] {
      png_read_rows(decoder.Png(), rows.data(), nullptr, static_cast<png_uint_32>(count));
    });
    sink.PutRows(top, block.data(), count);
  }
}

// Every pass brings some pixels of some rows; libpng puts each into the row where it belongs, so
// the rows must all be there until the last pass.
void ReadInterlacedRows(PngDecoder& decoder, const BitmapLayout& layout, int passes,
                        PictureSink& sink) {
  const std::size_t stride = layout.RowStride();
  std::vector<std::uint8_t> picture(stride * static_cast<std::size_t>(layout.height));
  for (int pass = 0; pass < passes; ++pass) {
    for (int y = 0; y < layout.height; ++y) {
      // Laid out as in the BMP file, the bottom row first.
      png_bytep row = picture.data() + static_cast<std::size_t>(layout.height - 1 - y) * stride;
      decoder.Guarded([&] { png_read_row(decoder.Png(), row, nullptr); });
    }
  }
  sink.PutRows(0, picture.data(), layout.height);
}

}  // namespace

void ReadPng(const std::string& path, PictureSink& sink) {
  PictureFile file;
  file.OpenOrFail(path);
  PngDecoder decoder(file);
  decoder.CheckHeader();
  png_structp png = decoder.Png();
  png_infop info = decoder.Info();
  decoder.Guarded([&] { png_read_info(png, info); });
  CheckFileCanHold(path, file.Size(), png_get_image_width(png, info),
                   png_get_image_height(png, info), MaxPixelsPerByte(png, info));

  const BitmapLayout layout = ChooseLayout(path, png, info);
  const int passes = decoder.Guarded([&] {
    const int count = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    return count;
  });
  // An interlaced picture is gathered whole before the sink gets it, and a preview holds another
  // copy: the limit counts both.
  if (passes > 1 && !FitsDecodeLimit(static_cast<std::uint64_t>(layout.width),
                                     2 * static_cast<std::uint64_t>(layout.height))) {
    FailTooLarge(path, static_cast<std::uint64_t>(layout.width),
                 static_cast<std::uint64_t>(layout.height));
  }
  sink.Start(layout);
  if (passes > 1) {
    ReadInterlacedRows(decoder, layout, passes, sink);
  } else {
    StreamRows(decoder, layout, sink);
  }
  // The rest of the file, so a picture cut short after its last row is noticed too.
  decoder.Guarded([&] { png_read_end(png, nullptr); });
}

}  // namespace lintavo
