// The test programs' entry: unbuffered output, so that a test that hangs is
// named by the last line printed before the timeout.
#include <cstdio>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  std::setvbuf(stderr, nullptr, _IONBF, 0);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
