#include <gtest/gtest.h>

#include "support/TestEnvironment.h"

// Every test binary runs inside one isolated home, so even a test that forgets its own never
// reads or writes the real one. Tests that need a fresh home make an IsolatedHome of their own.
int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  lintavo::test::IsolatedHome home;
  return RUN_ALL_TESTS();
}
