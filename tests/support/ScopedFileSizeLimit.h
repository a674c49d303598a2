#pragma once

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

namespace lintavo::test {

// While it lives, this process cannot make a file longer than `bytes`: a write past that fails
// (EFBIG) as it would on a full disk. File permissions would not do, as tests may run as root.
class ScopedFileSizeLimit {
 public:
  explicit ScopedFileSizeLimit(rlim_t bytes) {
    EXPECT_EQ(getrlimit(RLIMIT_FSIZE, &saved_), 0);
    // Without this the write past the limit would end the process with SIGXFSZ.
    previousHandler_ = signal(SIGXFSZ, SIG_IGN);
    rlimit limit = saved_;
    limit.rlim_cur = bytes;
    EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
  }
  ScopedFileSizeLimit(const ScopedFileSizeLimit&) = delete;
  ScopedFileSizeLimit& operator=(const ScopedFileSizeLimit&) = delete;
  ~ScopedFileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    signal(SIGXFSZ, previousHandler_);
  }

 private:
  rlimit saved_{};
  sighandler_t previousHandler_ = SIG_DFL;
};

}  // namespace lintavo::test
