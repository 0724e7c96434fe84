// The shared input checks: which texts pass, and the one message a failure
// shows.
#include <gtest/gtest.h>

#include "PagesTestSupport.h"
#include "forms/common/InputChecks.h"

namespace {

using InputChecks = PagesUiTest;

TEST(IpAddressText, AcceptsWhatTheDeviceTakes) {
  for (const char* text : {"192.168.0.1", "0.0.0.0", "255.255.255.255", "010.1.2.3", "1.2.3.001",
                           "1.2.3.0", "001.002.003.004"})
    EXPECT_EQ(CheckIpAddressText(text), TIpTextFault::None) << text;
}

TEST(IpAddressText, RefusesMalformedTexts) {
  for (const char* text : {"", "192.168.0.256", "1.2.3", "1.2.3.4.5", ".1.2.3", "1.2.3.", "1..2.3",
                           "1.2.3.a", "1000.1.2.3", "1.2.3.00", "1.2.3.000", " 1.2.3.4", "1.2.3.4 ",
                           "256.1.1.1", "1.2.3.99999999999", "1.2.3.-1"})
    EXPECT_EQ(CheckIpAddressText(text), TIpTextFault::Bad) << text;
}

TEST(IpAddressText, DoubleZeroBeforeADotIsItsOwnFault) {
  EXPECT_EQ(CheckIpAddressText("00.1.2.3"), TIpTextFault::DoubleZeroPart);
  EXPECT_EQ(CheckIpAddressText("1.000.2.3"), TIpTextFault::DoubleZeroPart);
  // The last part with two zeros is an ordinary failure.
  EXPECT_EQ(CheckIpAddressText("1.2.3.00"), TIpTextFault::Bad);
}

TEST(IpAddressText, TheWholeTextIsJudged) {
  // A character past the 15th fails, as does a part above 255 there.
  EXPECT_FALSE(IsIpAddressText("192.168.100.1001"));
  EXPECT_FALSE(IsIpAddressText("192.168.100.100x"));
  EXPECT_FALSE(IsIpAddressText("192.168.100.10.x"));
  EXPECT_FALSE(IsIpAddressText("1.2.3.4.........."));
  EXPECT_FALSE(IsIpAddressText("1.2.3.0000000004"));  // 16 characters, every part in range
}

TEST_F(InputChecks, IpFailureShowsOneMessage) {
  TestKit::DialogScript dialogs;
  dialogs.Expect("Please input a valid IP");
  EXPECT_FALSE(ValidateIpAddressText("1.2.3"));
  dialogs.Expect("Please input a valid IP");
  EXPECT_FALSE(ValidateIpAddressText("00.1.2.3"));
  EXPECT_TRUE(ValidateIpAddressText("10.90.90.90"));
  dialogs.Verify();
  EXPECT_EQ(dialogs.Shown().size(), 2u);
}

TEST_F(InputChecks, IpMaskVariantNamesTheDoubleZeroPartInLowerCase) {
  TestKit::DialogScript dialogs;
  dialogs.Expect("Please input a valid ip");
  EXPECT_FALSE(ValidateIpAddressText("00.1.2.3", kInvalidIpLowerMessage));
  dialogs.Expect("Please input a valid IP");
  EXPECT_FALSE(ValidateIpAddressText("1.2.3.00", kInvalidIpLowerMessage));
  dialogs.Verify();
}

TEST_F(InputChecks, MacInputIsExactlyTwelveHexDigits) {
  EXPECT_TRUE(IsMacInputText("00055E000001"));
  EXPECT_TRUE(IsMacInputText("abcdefABCDEF"));
  for (const char* text : {"", "00-05-5E-00-00-01", "00055E00000", "00055E0000011", "00055E00000G"})
    EXPECT_FALSE(IsMacInputText(text)) << text;
  TestKit::DialogScript dialogs;
  dialogs.Expect("Invalid MAC address");
  EXPECT_FALSE(ValidateMacInput("00055E00000"));
  EXPECT_TRUE(ValidateMacInput("00055E000001"));
  dialogs.Verify();
}

TEST_F(InputChecks, HexDigitsCountsExactly) {
  EXPECT_TRUE(IsHexDigitsText("88cc", 4));
  EXPECT_TRUE(IsHexDigitsText("88CC", 4));
  EXPECT_FALSE(IsHexDigitsText("88c", 4));
  EXPECT_FALSE(IsHexDigitsText("88ccd", 4));
  EXPECT_FALSE(IsHexDigitsText("", 4));
  EXPECT_FALSE(IsHexDigitsText("", 0));
  EXPECT_TRUE(IsHexDigitsText("FE800000000000000000000000000001", 32));
  TestKit::DialogScript dialogs;
  dialogs.Expect("Invalid Ethernet Type");
  EXPECT_FALSE(ValidateHexDigits("88c", 4, "Invalid Ethernet Type"));
  dialogs.Verify();
}

}  // namespace
