#include <gtest/gtest.h>

#include <utility>

#include "library/VnBinaryString.h"
#include "library/VnUtils.h"

namespace {

TEST(JoinPath, ExactlyOneBackslashBetweenFolderAndFile) {
  EXPECT_EQ(JoinPath("", "VnSNMP_PP_BootCounter"), "VnSNMP_PP_BootCounter");
  EXPECT_EQ(JoinPath("C:\\Module", "VnSNMP_PP_BootCounter"), "C:\\Module\\VnSNMP_PP_BootCounter");
  EXPECT_EQ(JoinPath("C:\\Module\\", "VnSNMP_PP_BootCounter"), "C:\\Module\\VnSNMP_PP_BootCounter");
  EXPECT_EQ(JoinPath("/opt/module", "errmsg\\snmp.err"), "/opt/module\\errmsg\\snmp.err");
  EXPECT_EQ(JoinPath("x", ""), "x\\");
}

TEST(IntPower, SmallExponentsAndWrapAround) {
  EXPECT_EQ(IntPower(10, 0), 1u);
  EXPECT_EQ(IntPower(10, -3), 1u);
  EXPECT_EQ(IntPower(0, 0), 1u);
  EXPECT_EQ(IntPower(10, 3), 1000u);
  EXPECT_EQ(IntPower(2, 31), 2147483648u);
  EXPECT_EQ(IntPower(2, 32), 0u);
  EXPECT_EQ(IntPower(10, 10), 1410065408u);          // 10^10 mod 2^32
  EXPECT_EQ(IntPower(0xFFFFFFFFu, 3), 0xFFFFFFFFu);  // (-1)^3 in 32 bits
  EXPECT_EQ(IntPower(1, 1000000), 1u);
  EXPECT_EQ(IntPower(3, 2147483647), 2863311531u);
  EXPECT_EQ(IntPower(7, 123456789), 3735775271u);
}

TEST(VnBinaryString, OwnsAndCopiesItsBytes) {
  VnBinaryString empty;
  EXPECT_EQ(empty.Length(), 0u);
  EXPECT_EQ(empty.Data(), nullptr);

  const BYTE ports[] = {0x80, 0x01, 0xFF};
  VnBinaryString a(ports, 3);
  VnBinaryString b = a;
  b.Data()[0] = 0x40;
  EXPECT_EQ(a.Data()[0], 0x80);
  EXPECT_FALSE(a == b);
  b = a;
  EXPECT_TRUE(a == b);

  b.SetLength(5);
  EXPECT_EQ(b.Length(), 5u);
  EXPECT_EQ(b.Data()[2], 0xFF);
  EXPECT_EQ(b.Data()[3], 0);
  EXPECT_EQ(b.Data()[4], 0);
  b.SetLength(1);
  EXPECT_EQ(b.Data()[0], 0x80);

  VnBinaryString moved = std::move(a);
  EXPECT_EQ(moved.Length(), 3u);
  EXPECT_EQ(a.Length(), 0u);  // NOLINT: a moved-from string is empty
  EXPECT_EQ(a.Data(), nullptr);

  moved.Assign(nullptr, 2);
  EXPECT_EQ(moved.Data()[1], 0);
  moved.Clear();
  EXPECT_TRUE(moved.IsEmpty());
  EXPECT_EQ(moved.Data(), nullptr);
  EXPECT_TRUE(moved == empty);
}

}  // namespace
