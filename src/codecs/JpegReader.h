#pragma once

#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

// jpeglib.h uses FILE and size_t without declaring them, so it comes after <cstdio>.
#include <jpeglib.h>

namespace lintavo {

// The text of a failure reported by libjpeg: "JPEG error #<message code>".
std::string JpegErrorMessage(int code);

// Decodes a JPEG file with the most accurate decoding, row by row, into 24-bit colour in BMP byte
// order (blue, green, red), at full size or at a reduced scale that libjpeg decodes directly.
// Grayscale and CMYK pictures come out as colour too.
//
// libjpeg reports errors by calling back into us from deep inside its C code, where a C++
// exception must not pass. The callback jumps back to the call that entered libjpeg, and that
// call throws Failure "JPEG error #<code>". Picture data that ends early, at the end of the file or
// at a marker, counts as an error, whichever entropy coding the picture uses; libjpeg would fill
// the rest of the picture in and carry on. Other warnings about damaged data are tolerated.
class JpegReader {
 public:
  // Opens the file and reads its header. Throws Failure "Cannot open file "<path>". <reason>" or
  // "JPEG error #<code>".
  explicit JpegReader(const std::string& path);
  JpegReader(const JpegReader&) = delete;
  JpegReader& operator=(const JpegReader&) = delete;
  ~JpegReader();

  int Width() const { return static_cast<int>(cinfo_.image_width); }
  int Height() const { return static_cast<int>(cinfo_.image_height); }

  // Chooses the smallest of libjpeg's scales, 1/8 to 8/8, at which the decoded picture is still
  // at least `minWidth` x `minHeight`; the full size when the picture is smaller. Before it, the
  // picture decodes at full size.
  void ScaleToCover(int minWidth, int minHeight);
  // The size of the decoded picture at the chosen scale.
  int OutputWidth() const { return static_cast<int>(cinfo_.output_width); }
  int OutputHeight() const { return static_cast<int>(cinfo_.output_height); }

  // Begins decoding. Multi-scan (progressive) pictures are read whole here.
  void StartDecoding();

  // Decodes the next rows of the picture into rows[0], rows[1], ... (each OutputWidth() * 3
  // bytes), at most `count` and never past the last row. Returns how many rows it decoded.
  int ReadRows(std::uint8_t** rows, int count);

  // Reads the rest of the file up to its end marker, so a file cut short after the last row is
  // noticed too.
  void Finish();

 private:
  struct ErrorManager {
    jpeg_error_mgr base;  // first, so libjpeg's pointer to it leads back to the whole
    std::jmp_buf jumpBack;
  };
  struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
  };

  // libjpeg's callbacks: errors jump back into Guarded; warnings are judged by OnMessage, and
  // the progress of decoding by OnProgress.
  [[noreturn]] static void JumpBack(j_common_ptr cinfo);
  static void OnMessage(j_common_ptr cinfo, int level);
  static void OnProgress(j_common_ptr cinfo);

  // Runs `call`, which enters libjpeg, and turns an error raised inside it into a Failure.
  template <typename Call>
  auto Guarded(Call call);
  // Sets the output colour space and the scale, and works out the output size.
  void SetUpOutput(unsigned scaleEighths);
  // Decodes exactly `count` rows (no more than remain) into `rows`, in the output colour space.
  void ReadScanlines(JSAMPARRAY rows, JDIMENSION count);
  int ReadCmykRows(std::uint8_t** rows, int count);

  std::unique_ptr<std::FILE, FileCloser> file_;
  ErrorManager errors_{};
  jpeg_progress_mgr progress_{};
  jpeg_decompress_struct cinfo_{};
  std::vector<JSAMPLE> cmykRow_;  // one undecoded CMYK row; empty unless the picture is CMYK
  bool invertedCmyk_ = false;
  unsigned scaleEighths_ = kFullScale;

  static constexpr unsigned kFullScale = 8;
};

}  // namespace lintavo
