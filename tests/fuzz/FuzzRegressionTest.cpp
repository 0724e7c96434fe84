#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz/FuzzDrivers.h"

namespace vnfuzz {
// Test names and messages show the target by its name.
void PrintTo(const Target& target, std::ostream* out) { *out << target.name; }
}  // namespace vnfuzz

// Every kept input of a fuzz target, seeds and inputs that once failed,
// through the target's driver: no crash, no sanitizer report, no broken
// invariant.
namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

class KeptInputs : public ::testing::TestWithParam<vnfuzz::Target> {};

TEST_P(KeptInputs, RunWithoutFault) {
  const vnfuzz::Target& target = GetParam();
  vnfuzz::Replaying = true;
  int count = 0;
  for (const char* kind : {"corpus", "regressions"}) {
    const fs::path folder = fs::path(VN_FUZZ_DIR) / kind / target.name;
    if (!fs::is_directory(folder)) continue;
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(folder))
      if (entry.is_regular_file()) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files) {
      SCOPED_TRACE(file.string());
      const std::vector<std::uint8_t> bytes = ReadBytes(file);
      target.run(bytes.data(), bytes.size());
      ++count;
    }
  }
  EXPECT_GT(count, 0) << "no seeds for " << target.name;
}

INSTANTIATE_TEST_SUITE_P(Fuzz, KeptInputs, ::testing::ValuesIn(vnfuzz::kTargets),
                         [](const auto& p) { return std::string(p.param.name); });

}  // namespace
