// The libFuzzer entry of one target; VN_FUZZ_DRIVER names its driver.
#include <cstdlib>

#include "fuzz/FuzzDrivers.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // Targets that make widgets need no display.
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vnfuzz::VN_FUZZ_DRIVER(data, size);
  return 0;
}
