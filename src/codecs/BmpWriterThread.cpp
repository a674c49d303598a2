#include "codecs/BmpWriterThread.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <utility>

#include "codecs/PictureSink.h"

namespace lintavo {

namespace {

// Enough blocks that the decoder can fill one while the writer writes another and a third waits,
// and few enough that memory stays at a few megabytes.
constexpr int kBlocks = 4;

}  // namespace

BmpWriterThread::BmpWriterThread(std::unique_ptr<BmpWriter> writer)
    : writer_(std::move(writer)),
      blockRows_(RowsPerBlock(writer_->RowStride(), writer_->Height())),
      free_(kBlocks,
            std::vector<std::uint8_t>(static_cast<std::size_t>(blockRows_) * writer_->RowStride())),
      thread_([this] { WriteQueuedBlocks(); }) {}

BmpWriterThread::~BmpWriterThread() {
  if (thread_.joinable()) {
    {
      const std::lock_guard<std::mutex> lock(mutex_);
      stopping_ = true;
    }
    changed_.notify_all();
    thread_.join();
  }
}

void BmpWriterThread::WriteRows(int topRow, const std::uint8_t* rows, int count) {
  // lent_ changes only on the caller's thread, in LendBlock and QueueLentBlock.
  if (!lent_.empty() && rows == lent_.data()) {
    if (count < 0 || count > blockRows_) {
      throw std::invalid_argument("A lent block holds no more than BlockRows() rows");
    }
    QueueLentBlock(topRow, count);
    return;
  }
  const std::size_t stride = writer_->RowStride();
  // The rows come bottom row first; each part of them, taken from the start, is a block of the
  // same layout whose top row lies `done` rows further up.
  for (int done = 0; done < count;) {
    const int part = std::min(blockRows_, count - done);
    std::memcpy(LendBlock(), rows + static_cast<std::size_t>(done) * stride,
                static_cast<std::size_t>(part) * stride);
    QueueLentBlock(topRow + count - done - part, part);
    done += part;
  }
}

std::uint8_t* BmpWriterThread::LendBlock() {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [this] { return !free_.empty() || failure_; });
  ThrowFailure();
  if (!lent_.empty()) {
    free_.push_back(std::move(lent_));  // lent before and never handed back: free again
  }
  lent_ = std::move(free_.back());
  free_.pop_back();
  return lent_.data();
}

void BmpWriterThread::QueueLentBlock(int topRow, int count) {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    queued_.push_back(Block{topRow, count, std::move(lent_)});
  }
  changed_.notify_all();
}

void BmpWriterThread::Commit() {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    finishing_ = true;
  }
  changed_.notify_all();
  thread_.join();
  ThrowFailure();  // the thread has ended: nothing else touches failure_ now
  writer_->Commit();
}

void BmpWriterThread::WriteQueuedBlocks() {
  for (;;) {
    Block block;
    {
      std::unique_lock<std::mutex> lock(mutex_);
      changed_.wait(lock, [this] { return !queued_.empty() || finishing_ || stopping_; });
      if (stopping_ || queued_.empty()) {
        return;
      }
      block = std::move(queued_.front());
      queued_.pop_front();
    }
    try {
      writer_->WriteRows(block.topRow, block.bytes.data(), block.count);
    } catch (...) {
      {
        const std::lock_guard<std::mutex> lock(mutex_);
        failure_ = std::current_exception();
      }
      changed_.notify_all();
      return;
    }
    {
      const std::lock_guard<std::mutex> lock(mutex_);
      free_.push_back(std::move(block.bytes));
    }
    changed_.notify_all();
  }
}

void BmpWriterThread::ThrowFailure() const {
  if (failure_) {
    std::rethrow_exception(failure_);
  }
}

}  // namespace lintavo
