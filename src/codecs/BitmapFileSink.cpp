#include "codecs/BitmapFileSink.h"

namespace lintavo {

void BitmapFileSink::Start(const BitmapLayout& layout) {
  // The file is created here, so a file that cannot be created fails before any decoding.
  writer_ = std::make_unique<BmpWriterThread>(std::make_unique<BmpWriter>(
      dest_, layout.width, layout.height, layout.bitsPerPixel, layout.palette));
}

void BitmapFileSink::PutRows(int topRow, const std::uint8_t* rows, int count) {
  writer_->WriteRows(topRow, rows, count);
}

std::uint8_t* BitmapFileSink::LendRows(int count) {
  return count <= writer_->BlockRows() ? writer_->LendBlock() : nullptr;
}

void BitmapFileSink::Commit() {
  writer_->Commit();
}

}  // namespace lintavo
