// What the module's executable carries: the test kit stays with the tests.
#include <gtest/gtest.h>

#include <string>

#include "support/TestSupport.h"

namespace {

TEST(ModuleBinary, CarriesNoTestKit) {
  const std::string binary = vntest::ReadFile(VN_MODULE_BIN);
  ASSERT_FALSE(binary.empty());
  // The kit's symbols (mangled namespace) and its failure texts.
  EXPECT_EQ(binary.find("7TestKit"), std::string::npos);
  EXPECT_EQ(binary.find("opened without a script"), std::string::npos);
}

}  // namespace
