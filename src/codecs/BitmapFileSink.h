#pragma once

#include <memory>
#include <string>
#include <utility>

#include "codecs/BmpWriterThread.h"
#include "codecs/PictureSink.h"

namespace lintavo {

// Stores the picture a reader hands out as a BMP file at `dest`, in the reader's pixel format. The
// file is written on a thread of its own while the reader decodes (BmpWriterThread). Nothing
// appears at `dest` before Commit; a sink destroyed before leaves no trace (BmpWriter).
class BitmapFileSink : public PictureSink {
 public:
  explicit BitmapFileSink(std::string dest) : dest_(std::move(dest)) {}

  void Start(const BitmapLayout& layout) override;
  void PutRows(int topRow, const std::uint8_t* rows, int count) override;
  // Lends a block of the writer's queue (BmpWriterThread::LendBlock) for up to a block's rows.
  std::uint8_t* LendRows(int count) override;

  // Puts the finished file in place of `dest`.
  void Commit();

 private:
  std::string dest_;
  std::unique_ptr<BmpWriterThread> writer_;
};

}  // namespace lintavo
