#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "fuzz/ValueFuzzDriver.h"

// Random inputs with a fixed seed through the same driver as the fuzz target:
// suffixes, replies, typed texts, raw bytes and expressions. Passing means no
// crash, no sanitizer report and no exception other than the class library's.
TEST(RandomInput, ConversionsSurviveRandomInputs) {
  static const char kAlphabet[] = "0123456789....:::,, daysDAY-+$#\"()abcdefABCDEFxe(NULL)";
  std::mt19937 rng(0x5EED);
  for (int i = 0; i < 30000; ++i) {
    std::vector<std::uint8_t> input(rng() % 72);
    const bool textual = rng() % 2 == 0;
    for (std::size_t j = 0; j < input.size(); ++j) {
      // The leading bytes choose the mode and the syntaxes; the rest is text
      // from a small alphabet half of the time, so that parsers get far.
      if (textual && j >= 6)
        input[j] = static_cast<std::uint8_t>(kAlphabet[rng() % (sizeof kAlphabet - 1)]);
      else
        input[j] = static_cast<std::uint8_t>(rng());
    }
    ASSERT_NO_FATAL_FAILURE(vnfuzz::RunValueFuzzInput(input.data(), input.size()));
  }
}
