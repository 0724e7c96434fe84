// libFuzzer entry over the value conversions (./run fuzz SECONDS).
#include <cstddef>
#include <cstdint>

#include "fuzz/ValueFuzzDriver.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vnfuzz::RunValueFuzzInput(data, size);
  return 0;
}
