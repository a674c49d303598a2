#include <gtest/gtest.h>
#include <unistd.h>

#include <QTest>
#include <QWidget>

#include "app/RequestWatcher.h"

namespace lintavo::test {
namespace {

// A request channel like the instance guard's: a pipe whose bytes are requests ('A') or noise.
class RequestPipe {
 public:
  RequestPipe() { EXPECT_EQ(pipe(ends_), 0); }
  ~RequestPipe() {
    close(ends_[0]);
    close(ends_[1]);
  }
  int ReadEnd() const { return ends_[0]; }
  void Send(char byte) const { EXPECT_EQ(write(ends_[1], &byte, 1), 1); }
  // Consumes one byte; true when it was a request.
  bool Take() {
    char byte = 0;
    ++taken;
    return read(ends_[0], &byte, 1) == 1 && byte == 'A';
  }

  int taken = 0;

 private:
  int ends_[2] = {-1, -1};
};

TEST(RequestWatcherTest, OnlyARequestRunsTheAnswer) {
  RequestPipe channel;
  int answered = 0;
  const RequestWatcher watcher(
      channel.ReadEnd(), [&channel] { return channel.Take(); }, [&answered] { ++answered; });

  channel.Send('x');
  ASSERT_TRUE(QTest::qWaitFor([&] { return channel.taken == 1; }));
  EXPECT_EQ(answered, 0);

  channel.Send('A');
  ASSERT_TRUE(QTest::qWaitFor([&] { return channel.taken == 2; }));
  EXPECT_EQ(answered, 1);
}

TEST(RequestWatcherTest, BringToFrontRestoresAMinimisedWindow) {
  QWidget window;
  window.showMinimized();
  BringToFront(window);
  EXPECT_FALSE(window.isMinimized());
  EXPECT_TRUE(window.isVisible());
}

}  // namespace
}  // namespace lintavo::test
