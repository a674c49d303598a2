#include "codecs/BitmapFileSink.h"

namespace lintavo {

void BitmapFileSink::Start(const BitmapLayout& layout) {
  // The file is created here, so a file that cannot be created fails before any decoding.
  writer_ = std::make_unique<BmpWriterThread>(std::make_unique<BmpWriter>(
      dest_, layout.width, layout.height, layout.bitsPerPixel, layout.palette));
}

void BitmapFileSink::PutRows(int topRow, const std::uint8_t* rows, int count) {
  if (rows != nullptr && rows == lent_) {
    lent_ = nullptr;
    writer_->WriteLentRows(topRow, count);
  } else {
    writer_->WriteRows(topRow, rows, count);
  }
}

std::uint8_t* BitmapFileSink::LendRows(int count) {
  if (count > writer_->BlockRows()) {
    return nullptr;
  }
  std::uint8_t* block = writer_->LendBlock();
  lent_ = block;
  return block;
}

void BitmapFileSink::Commit() {
  writer_->Commit();
}

}  // namespace lintavo
