#include <gtest/gtest.h>

#include "pages/PathRoutines.h"

namespace lintavo::test {
namespace {

TEST(PathRoutinesTest, WithTrailingBackslashEndsInExactlyOneDelimiter) {
  EXPECT_EQ(WithTrailingBackslash(""), "");
  EXPECT_EQ(WithTrailingBackslash("/data"), "/data/");
  EXPECT_EQ(WithTrailingBackslash("/data/"), "/data/");
  EXPECT_EQ(WithTrailingBackslash("/"), "/");
}

}  // namespace
}  // namespace lintavo::test
