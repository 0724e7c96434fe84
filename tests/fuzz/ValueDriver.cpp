#include "fuzz/FuzzDrivers.h"
#include "fuzz/ValueFuzzDriver.h"

void vnfuzz::RunValueInput(const std::uint8_t* data, std::size_t size) {
  RunValueFuzzInput(data, size);
}
