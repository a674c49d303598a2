#include "codecs/JpegReader.h"

#include <jerror.h>

#include <algorithm>

#include "base/Failure.h"
#include "os/Files.h"
#include "os/SystemError.h"

namespace lintavo {

namespace {

// libjpeg's own memory beyond its row buffers: the whole-picture coefficient buffers of
// progressive pictures. A picture that needs more is refused with libjpeg's error.
constexpr long kMaxDecoderMemory = 512L * 1024 * 1024;

// a * b / 255, rounded, for a and b in 0..255.
JSAMPLE ScaleBy(unsigned a, unsigned b) {
  const unsigned product = a * b + 128;
  return static_cast<JSAMPLE>((product + (product >> 8)) >> 8);
}

// Turns one row of CMYK ink amounts into BMP's blue, green, red. `inverted` rows hold 255 for
// "no ink", as Adobe's programs write them; others hold 0 for "no ink".
void CmykToBgr(const JSAMPLE* cmyk, std::uint8_t* bgr, JDIMENSION width, bool inverted) {
  const unsigned flip = inverted ? 0 : 255;
  for (JDIMENSION x = 0; x < width; ++x, cmyk += 4, bgr += 3) {
    const unsigned black = cmyk[3] ^ flip;
    bgr[0] = ScaleBy(cmyk[2] ^ flip, black);
    bgr[1] = ScaleBy(cmyk[1] ^ flip, black);
    bgr[2] = ScaleBy(cmyk[0] ^ flip, black);
  }
}

// Arithmetic-coded data that meets a marker is read on as zeros: an encoder leaves out the zero
// bytes at the end of a scan, so this is how such data may end. The first scan holds the picture
// itself; if its data meets a marker (other than the restart marker that belongs there) while more
// than its last row of blocks is still to come, the data ends early, as the Huffman decoder would
// report it, and the rest of the picture would be filler. Later scans of a progressive picture
// only refine it and may rightly hold nothing. Checked after each row of blocks, so
// `input_iMCU_row` counts the row in which the marker came.
bool ArithmeticDataEndsEarly(const jpeg_decompress_struct& cinfo) {
  const int marker = cinfo.unread_marker;
  const bool restart = marker >= JPEG_RST0 && marker < JPEG_RST0 + 8;
  return cinfo.arith_code && cinfo.input_scan_number == 1 && marker != 0 && !restart &&
         cinfo.input_iMCU_row < cinfo.total_iMCU_rows;
}

}  // namespace

template <typename Call>
auto JpegReader::Guarded(Call call) {
  // libjpeg's JumpBack lands here. The frames it skips are libjpeg's and `call`'s, none of which
  // holds an object with a destructor; the Failure is thrown from here, in plain C++.
  if (setjmp(errors_.jumpBack) != 0) {
    throw Failure(JpegErrorMessage(errors_.base.msg_code));
  }
  return call();
}

std::string JpegErrorMessage(int code) {
  return "JPEG error #" + std::to_string(code);
}

JpegReader::JpegReader(const std::string& path) {
  std::FILE* file = nullptr;
  if (const os::ErrorCode error = os::OpenFileForReading(path, file)) {
    throw Failure("Cannot open file \"" + path + "\". " + os::SystemErrorMessage(error));
  }
  file_.reset(file);
  cinfo_.err = jpeg_std_error(&errors_.base);
  errors_.base.error_exit = JumpBack;
  errors_.base.emit_message = OnMessage;
  progress_.progress_monitor = OnProgress;
  try {
    Guarded([this] {
      jpeg_create_decompress(&cinfo_);
      cinfo_.progress = &progress_;
      cinfo_.mem->max_memory_to_use = kMaxDecoderMemory;
      jpeg_stdio_src(&cinfo_, file_.get());
      jpeg_read_header(&cinfo_, TRUE);
    });
  } catch (...) {
    // The destructor does not run for a constructor that throws.
    jpeg_destroy_decompress(&cinfo_);
    throw;
  }
}

JpegReader::~JpegReader() {
  jpeg_destroy_decompress(&cinfo_);
}

void JpegReader::SetUpOutput(unsigned scaleEighths) {
  // libjpeg turns every other colour space into BGR itself; CMYK it leaves to us.
  const bool cmyk = cinfo_.jpeg_color_space == JCS_CMYK || cinfo_.jpeg_color_space == JCS_YCCK;
  cinfo_.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGR;
  cinfo_.scale_num = scaleEighths;
  cinfo_.scale_denom = kFullScale;
  cinfo_.dct_method = JDCT_ISLOW;
  cinfo_.do_fancy_upsampling = TRUE;
  Guarded([this] { jpeg_calc_output_dimensions(&cinfo_); });
}

void JpegReader::ScaleToCover(int minWidth, int minHeight) {
  for (scaleEighths_ = 1; scaleEighths_ < kFullScale; ++scaleEighths_) {
    SetUpOutput(scaleEighths_);
    if (OutputWidth() >= minWidth && OutputHeight() >= minHeight) {
      return;
    }
  }
  SetUpOutput(scaleEighths_);
}

void JpegReader::StartDecoding() {
  SetUpOutput(scaleEighths_);
  const bool cmyk = cinfo_.out_color_space == JCS_CMYK;
  Guarded([this] { jpeg_start_decompress(&cinfo_); });
  if (cmyk) {
    // A CMYK picture with Adobe's marker almost always comes from Adobe's programs, which store
    // the inks inverted; one without it is taken as plain CMYK.
    invertedCmyk_ = cinfo_.saw_Adobe_marker != FALSE;
    cmykRow_.resize(static_cast<std::size_t>(cinfo_.output_width) * 4);
  }
}

int JpegReader::ReadRows(std::uint8_t** rows, int count) {
  const int wanted =
      std::min(count, static_cast<int>(cinfo_.output_height - cinfo_.output_scanline));
  if (wanted <= 0) {
    return 0;
  }
  if (!cmykRow_.empty()) {
    return ReadCmykRows(rows, wanted);
  }
  ReadScanlines(rows, static_cast<JDIMENSION>(wanted));
  return wanted;
}

int JpegReader::ReadCmykRows(std::uint8_t** rows, int count) {
  JSAMPROW cmyk = cmykRow_.data();
  for (int i = 0; i < count; ++i) {
    ReadScanlines(&cmyk, 1);
    CmykToBgr(cmyk, rows[i], cinfo_.output_width, invertedCmyk_);
  }
  return count;
}

void JpegReader::ReadScanlines(JSAMPARRAY rows, JDIMENSION count) {
  // libjpeg may hand out fewer rows per call than asked for, but always at least one while rows
  // remain, since the file source never suspends.
  for (JDIMENSION done = 0; done < count;) {
    done += Guarded([&] { return jpeg_read_scanlines(&cinfo_, rows + done, count - done); });
  }
}

void JpegReader::Finish() {
  Guarded([this] { jpeg_finish_decompress(&cinfo_); });
}

void JpegReader::JumpBack(j_common_ptr cinfo) {
  std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jumpBack, 1);
}

void JpegReader::OnMessage(j_common_ptr cinfo, int level) {
  if (level >= 0) {
    return;  // trace output
  }
  // libjpeg fills in picture data that ends early, at the end of the file or at a marker, with
  // gray and carries on; we refuse the picture. A tiny damaged file claiming a huge size would
  // otherwise become a huge gray bitmap.
  const int code = cinfo->err->msg_code;
  if (code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER) {
    JumpBack(cinfo);
  }
  // Other damage is tolerated, as picture viewers do, without printing anything.
  ++cinfo->err->num_warnings;
}

void JpegReader::OnProgress(j_common_ptr cinfo) {
  // libjpeg reports progress before each request for rows and after each row of blocks of a
  // multi-scan picture, which it reads whole before the first row comes out.
  if (ArithmeticDataEndsEarly(*reinterpret_cast<j_decompress_ptr>(cinfo))) {
    cinfo->err->msg_code = JWRN_HIT_MARKER;
    JumpBack(cinfo);
  }
}

}  // namespace lintavo
