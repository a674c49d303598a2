#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "codecs/BmpWriter.h"

namespace lintavo {

// Writes a BmpWriter's rows on a thread of its own, so that writing the file overlaps decoding the
// picture. Rows go in a few blocks of about kRowBlockBytes each, copied in or lent out to be
// decoded into, and are handed over through a bounded queue: memory stays at those blocks whatever
// the picture's size, and a decoder that runs ahead of the disk waits for a free block.
//
// A failure of the writer (a full disk) is thrown, with its message, by the next WriteRows or by
// Commit. Destroyed without Commit, the thread stops and the writer leaves no trace.
class BmpWriterThread {
 public:
  explicit BmpWriterThread(std::unique_ptr<BmpWriter> writer);
  BmpWriterThread(const BmpWriterThread&) = delete;
  BmpWriterThread& operator=(const BmpWriterThread&) = delete;
  ~BmpWriterThread();

  // As BmpWriter::WriteRows. Rows in the block LendBlock lent (at most BlockRows()) are queued
  // as they lie and the block is no longer the caller's; any other rows are copied, so `rows` may
  // be reused on return.
  void WriteRows(int topRow, const std::uint8_t* rows, int count);

  // The most rows one block holds.
  int BlockRows() const { return blockRows_; }

  // Lends a free block, BlockRows() rows of RowStride() bytes, waiting for one while all are
  // queued: a decoder fills it in place and hands it to WriteRows, so its rows are never copied.
  // Its bytes are whatever the block last held.
  std::uint8_t* LendBlock();

  // Waits until every row is written, then puts the file in place (BmpWriter::Commit).
  void Commit();

 private:
  struct Block {
    int topRow = 0;
    int count = 0;
    std::vector<std::uint8_t> bytes;
  };

  // Queues the lent block's first `count` rows as the rows from `topRow` down.
  void QueueLentBlock(int topRow, int count);
  void WriteQueuedBlocks();
  // Throws the writer's failure, if any; `mutex_` is held.
  void ThrowFailure() const;

  std::unique_ptr<BmpWriter> writer_;
  const int blockRows_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Block> queued_;                     // filled, in the order they came
  std::vector<std::vector<std::uint8_t>> free_;  // buffers ready for the next block
  std::vector<std::uint8_t> lent_;               // the buffer LendBlock gave out, if any
  bool finishing_ = false;                       // no more blocks come: write the rest and end
  bool stopping_ = false;                        // drop the rest and end
  std::exception_ptr failure_;
  std::thread thread_;  // last, so that it starts once everything above is ready
};

}  // namespace lintavo
