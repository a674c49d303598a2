#include "codecs/GifReader.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

#include "codecs/PictureFailures.h"
#include "codecs/PictureFile.h"

namespace lintavo {

namespace {

constexpr std::string_view kSignature = "GIF";

// The most pixels one byte of LZW data can stand for. A code stands for at most 4096 pixels (the
// size of the decoder's table), and codes are 12 bits wide once strings that long exist: at most
// 4096 pixels per 12 bits, whatever the code size.
constexpr std::uint64_t kMaxPixelsPerDataByte = 4096 * 8 / 12 + 1;

// Interlaced frames store every 8th row from row 0, then every 8th from row 4, every 4th from
// row 2 and every 2nd from row 1.
struct InterlacePass {
  int firstRow;
  int step;
};
constexpr InterlacePass kInterlacePasses[] = {{0, 8}, {4, 8}, {2, 4}, {1, 2}};

struct GifCloser {
  void operator()(GifFileType* gif) const { DGifCloseFile(gif, nullptr); }
};
using GifHandle = std::unique_ptr<GifFileType, GifCloser>;

int ReadFromFile(GifFileType* gif, GifByteType* data, int size) {
  return static_cast<int>(
      static_cast<PictureFile*>(gif->UserData)->Read(data, static_cast<std::size_t>(size)));
}

[[noreturn]] void FailWithGifError(const std::string& path, int code) {
  switch (code) {
    case D_GIF_ERR_NOT_GIF_FILE:
      FailNotA(path, "GIF");
    case D_GIF_ERR_READ_FAILED:
    case D_GIF_ERR_NO_SCRN_DSCR:
    case D_GIF_ERR_NO_IMAG_DSCR:
    case D_GIF_ERR_EOF_TOO_SOON:
      FailEndsEarly(path);
    case D_GIF_ERR_WRONG_RECORD:
      FailDamaged(path, "it holds a record of unknown kind");
    case D_GIF_ERR_DATA_TOO_BIG:
    case D_GIF_ERR_IMAGE_DEFECT:
      FailDamaged(path, "its picture data is defective");
    default: {
      const char* text = GifErrorString(code);
      FailDamaged(path, text != nullptr ? text : "error " + std::to_string(code));
    }
  }
}

// giflib takes any file as a GIF whose first 6 bytes it can read; one that starts otherwise, even
// a shorter one, is not a GIF.
void CheckSignature(PictureFile& file) {
  if (file.Size() == 0) {
    FailEmpty(file.Path());
  }
  char start[kSignature.size()] = {};
  const std::size_t got = file.Read(start, sizeof start);
  if (std::string_view(start, got) != kSignature.substr(0, got)) {
    FailNotA(file.Path(), "GIF");
  }
  std::rewind(file.Stream());
}

// Reads records up to the first frame's image descriptor, skipping extensions.
void ReadUpToFirstFrame(GifFileType& gif, const std::string& path) {
  for (;;) {
    GifRecordType type = UNDEFINED_RECORD_TYPE;
    if (DGifGetRecordType(&gif, &type) == GIF_ERROR) {
      FailWithGifError(path, gif.Error);
    }
    if (type == IMAGE_DESC_RECORD_TYPE) {
      if (DGifGetImageDesc(&gif) == GIF_ERROR) {
        FailWithGifError(path, gif.Error);
      }
      return;
    }
    if (type == TERMINATE_RECORD_TYPE) {
      FailDamaged(path, "it holds no picture");
    }
    int code = 0;
    GifByteType* block = nullptr;
    if (DGifGetExtension(&gif, &code, &block) == GIF_ERROR) {
      FailWithGifError(path, gif.Error);
    }
    while (block != nullptr) {
      if (DGifGetExtensionNext(&gif, &block) == GIF_ERROR) {
        FailWithGifError(path, gif.Error);
      }
    }
  }
}

std::vector<PaletteEntry> PaletteOf(const ColorMapObject& colours) {
  std::vector<PaletteEntry> palette;
  for (int i = 0; i < colours.ColorCount; ++i) {
    const GifColorType& colour = colours.Colors[i];
    palette.push_back({colour.Blue, colour.Green, colour.Red, 0});
  }
  return palette;
}

// Puts the first frame on the screen, row by row, and hands the screen's rows to the sink.
class FrameOnScreen {
 public:
  FrameOnScreen(GifFileType& gif, const std::string& path, const BitmapLayout& layout,
                PictureSink& sink)
      : gif_(gif),
        path_(path),
        layout_(layout),
        sink_(sink),
        frame_(gif.Image),
        visibleLeft_(std::min(frame_.Left, layout.width)),
        visibleRight_(std::min(frame_.Left + frame_.Width, layout.width)),
        background_(gif.SBackGroundColor < static_cast<int>(layout.palette.size())
                        ? static_cast<std::uint8_t>(gif.SBackGroundColor)
                        : 0),
        frameRow_(static_cast<std::size_t>(std::max(frame_.Width, 1))) {}

  void Put() {
    if (frame_.Interlace) {
      PutInterlaced();
    } else {
      PutInOrder();
    }
  }

 private:
  // A frame without width has no rows to decode either.
  bool InFrame(int y) const {
    return frame_.Width > 0 && y >= frame_.Top && y < frame_.Top + frame_.Height;
  }

  void DecodeFrameRow() {
    if (DGifGetLine(&gif_, frameRow_.data(), frame_.Width) == GIF_ERROR) {
      FailWithGifError(path_, gif_.Error);
    }
  }

  // One screen row: the background, with the frame's row over it when `withFrameRow`.
  void Compose(bool withFrameRow, std::uint8_t* row) const {
    std::memset(row, background_, static_cast<std::size_t>(layout_.width));
    if (withFrameRow && visibleLeft_ < visibleRight_) {
      std::copy(frameRow_.begin(), frameRow_.begin() + (visibleRight_ - visibleLeft_),
                row + visibleLeft_);
    }
  }

  // Screen rows top to bottom, a block at a time; the frame's rows are decoded as they are
  // reached, and those below the screen never are.
  void PutInOrder() {
    const std::size_t stride = layout_.RowStride();
    const int blockRows = RowsPerBlock(stride, layout_.height);
    std::vector<std::uint8_t> block(static_cast<std::size_t>(blockRows) * stride);
    for (int top = 0; top < layout_.height; top += blockRows) {
      const int count = std::min(blockRows, layout_.height - top);
      for (int i = 0; i < count; ++i) {
        const bool inFrame = InFrame(top + i);
        if (inFrame) {
          DecodeFrameRow();
        }
        Compose(inFrame, block.data() + static_cast<std::size_t>(count - 1 - i) * stride);
      }
      sink_.PutRows(top, block.data(), count);
    }
  }

  // The rows outside the frame first, then the frame's rows one by one as the passes bring them.
  void PutInterlaced() {
    const std::size_t stride = layout_.RowStride();
    std::vector<std::uint8_t> row(stride);
    for (int y = 0; y < layout_.height; ++y) {
      if (!InFrame(y)) {
        Compose(false, row.data());
        sink_.PutRows(y, row.data(), 1);
      }
    }
    for (const InterlacePass& pass : kInterlacePasses) {
      for (int frameY = pass.firstRow; frame_.Width > 0 && frameY < frame_.Height;
           frameY += pass.step) {
        DecodeFrameRow();
        const int y = frame_.Top + frameY;
        if (y < layout_.height) {
          Compose(true, row.data());
          sink_.PutRows(y, row.data(), 1);
        }
      }
    }
  }

  GifFileType& gif_;
  const std::string& path_;
  const BitmapLayout& layout_;
  PictureSink& sink_;
  const GifImageDesc& frame_;
  const int visibleLeft_;
  const int visibleRight_;
  const std::uint8_t background_;
  std::vector<GifPixelType> frameRow_;
};

}  // namespace

void ReadGif(const std::string& path, PictureSink& sink) {
  PictureFile file;
  file.OpenOrFail(path);
  CheckSignature(file);
  int error = 0;
  const GifHandle gif(DGifOpen(&file, ReadFromFile, &error));
  if (gif == nullptr) {
    FailWithGifError(path, error);
  }
  CheckPictureSize(path, static_cast<std::uint64_t>(gif->SWidth),
                   static_cast<std::uint64_t>(gif->SHeight));
  ReadUpToFirstFrame(*gif, path);

  const GifImageDesc& frame = gif->Image;
  const ColorMapObject* colours = frame.ColorMap != nullptr ? frame.ColorMap : gif->SColorMap;
  if (colours == nullptr) {
    FailDamaged(path, "it has no colour table");
  }
  const auto frameWidth = static_cast<std::uint64_t>(frame.Width);
  const auto frameHeight = static_cast<std::uint64_t>(frame.Height);
  if (!FitsDecodeLimit(frameWidth, frameHeight)) {
    FailTooLarge(path, frameWidth, frameHeight);
  }
  CheckFileCanHold(path, file.Size(), frameWidth, frameHeight, kMaxPixelsPerDataByte);

  BitmapLayout layout{gif->SWidth, gif->SHeight, 8, PaletteOf(*colours)};
  sink.Start(layout);
  FrameOnScreen(*gif, path, layout, sink).Put();
}

}  // namespace lintavo
