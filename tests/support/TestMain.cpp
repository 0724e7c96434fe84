// Shared main of every test binary.
#include <gtest/gtest.h>

#include <cstdlib>

// Qt and libnetsnmp keep allocations for the life of the process; leak
// reports about them would drown real findings.
extern "C" const char* __asan_default_options() { return "detect_leaks=0"; }

int main(int argc, char** argv) {
  // CTest lists the tests at build time by running each binary: with no
  // display there, Qt must default to its offscreen platform.
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
