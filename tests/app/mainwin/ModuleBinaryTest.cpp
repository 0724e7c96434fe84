// What the module's executable carries: the test kit stays with the tests.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

TEST(ModuleBinary, CarriesNoTestKit) {
  std::ifstream in(VN_MODULE_BIN, std::ios::binary);
  std::string binary(std::filesystem::file_size(VN_MODULE_BIN), '\0');
  in.read(binary.data(), static_cast<std::streamsize>(binary.size()));
  ASSERT_FALSE(binary.empty());
  // The kit's symbols (mangled namespace) and its failure texts.
  EXPECT_EQ(binary.find("7TestKit"), std::string::npos);
  EXPECT_EQ(binary.find("opened without a script"), std::string::npos);
}

}  // namespace
