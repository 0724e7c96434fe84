#include <gtest/gtest.h>

#include "library/VnAddressValidators.h"

TEST(AddressValidators, Ipv4) {
  EXPECT_TRUE(IsValidIpv4("192.168.0.1"));
  EXPECT_TRUE(IsValidIpv4("0.0.0.0"));
  EXPECT_TRUE(IsValidIpv4("255.255.255.255"));
  EXPECT_TRUE(IsValidIpv4("001.002.003.004"));     // 15 characters, leading zeros
  EXPECT_TRUE(IsValidIpv4("0001.002.003.004"));    // 16 characters
  EXPECT_FALSE(IsValidIpv4("0001.0002.003.004"));  // 17 characters
  EXPECT_FALSE(IsValidIpv4("1.2.3.256"));
  EXPECT_FALSE(IsValidIpv4("1.2.3.1000"));
  EXPECT_FALSE(IsValidIpv4("10.0.0.100a"));
  EXPECT_FALSE(IsValidIpv4("256.2.3.4"));
  EXPECT_FALSE(IsValidIpv4("1.2.3"));
  EXPECT_FALSE(IsValidIpv4("1.2.3.4.5"));
  EXPECT_FALSE(IsValidIpv4("1..2.3"));
  EXPECT_FALSE(IsValidIpv4("1.2.3."));
  EXPECT_FALSE(IsValidIpv4(".1.2.3"));
  EXPECT_FALSE(IsValidIpv4(""));
  EXPECT_FALSE(IsValidIpv4("1.2.3.4 "));
  EXPECT_FALSE(IsValidIpv4("1.2.-3.4"));
  EXPECT_FALSE(IsValidIpv4("a.b.c.d"));
  // A long run of digits is rejected, not wrapped into range.
  EXPECT_FALSE(IsValidIpv4("4294967297.1.1.1"));
}

TEST(AddressValidators, MulticastIpv4) {
  EXPECT_TRUE(IsValidMulticastIpv4("224.0.0.1"));
  EXPECT_TRUE(IsValidMulticastIpv4("239.255.255.255"));
  EXPECT_TRUE(IsValidMulticastIpv4("0224.0.0.1"));
  EXPECT_FALSE(IsValidMulticastIpv4("240.0.0.1"));
  EXPECT_FALSE(IsValidMulticastIpv4("223.1.1.1"));
  EXPECT_FALSE(IsValidMulticastIpv4("224.0.0.256"));
  EXPECT_FALSE(IsValidMulticastIpv4("224.0.0"));
}

TEST(AddressValidators, Ipv6) {
  const AnsiString digits = "20010DB8000000000000000000000001";
  EXPECT_TRUE(IsValidIpv6(digits));
  EXPECT_TRUE(IsValidIpv6("abcdefABCDEF01234567890000000000"));
  EXPECT_FALSE(IsValidIpv6(digits.SubString(1, 31)));
  EXPECT_FALSE(IsValidIpv6(digits + "0"));
  EXPECT_FALSE(IsValidIpv6("2001:0DB8:0000:0000:0000:0000:01"));
  EXPECT_FALSE(IsValidIpv6("20010DB800000000000000000000000G"));
  EXPECT_FALSE(IsValidIpv6(""));
}

TEST(AddressValidators, MulticastIpv6MustBeValidAndStartWithFF) {
  EXPECT_TRUE(IsValidMulticastIpv6("FF020000000000000000000000000001"));
  EXPECT_TRUE(IsValidMulticastIpv6("ff0e0000000000000000000000000001"));
  EXPECT_TRUE(IsValidMulticastIpv6("Ff020000000000000000000000000001"));
  EXPECT_FALSE(IsValidMulticastIpv6("FE800000000000000000000000000001"));
  EXPECT_FALSE(IsValidMulticastIpv6("0FF20000000000000000000000000001"));
  EXPECT_FALSE(IsValidMulticastIpv6("FF02000000000000000000000000001"));  // 31 digits
  EXPECT_FALSE(IsValidMulticastIpv6("FF02:0000:0000:0000:0000:000:0001"));
  EXPECT_FALSE(IsValidMulticastIpv6("FF"));
  EXPECT_FALSE(IsValidMulticastIpv6(""));
  EXPECT_FALSE(IsValidMulticastIpv6("anything at all"));
}

TEST(AddressValidators, Mac) {
  EXPECT_TRUE(IsValidMac("0011223344AA"));
  EXPECT_TRUE(IsValidMac("00-11-22-33-44-aa"));
  EXPECT_TRUE(IsValidMac("00.11.22.33.44.55"));
  EXPECT_FALSE(IsValidMac("0011223344A"));
  EXPECT_FALSE(IsValidMac("0011223344AAB"));
  EXPECT_FALSE(IsValidMac("0011223344AG"));
  EXPECT_FALSE(IsValidMac("00-11-22-33-44"));
  EXPECT_FALSE(IsValidMac("00-11-22-33-44-55-66"));
  EXPECT_FALSE(IsValidMac("00-11-22-33-4-55"));
  EXPECT_FALSE(IsValidMac("00-11-22-33-44-5"));
  EXPECT_FALSE(IsValidMac("00-11-22-33-44-"));
  EXPECT_FALSE(IsValidMac("00-11-2G-33-44-55"));
  EXPECT_FALSE(IsValidMac(""));
  // "-" wins over ".": with both, the dots are group content.
  EXPECT_FALSE(IsValidMac("00.11.22.33.44-55"));
  // Only the first two characters of a group are examined.
  EXPECT_TRUE(IsValidMac("001-11-22-33-44-55xyz"));
  EXPECT_TRUE(IsValidMac("00.11.22.33.44.55 "));
}

TEST(AddressValidators, MulticastMac) {
  EXPECT_TRUE(IsMulticastMac("01-00-5E-00-00-01"));
  EXPECT_TRUE(IsMulticastMac("01005E000001"));
  EXPECT_TRUE(IsMulticastMac("0F.00.00.00.00.01"));
  EXPECT_TRUE(IsMulticastMac("0b.00.00.00.00.01"));
  EXPECT_TRUE(IsMulticastMac("FF-FF-FF-FF-FF-FE"));
  EXPECT_FALSE(IsMulticastMac("FF-FF-FF-FF-FF-FF"));
  EXPECT_FALSE(IsMulticastMac("ffffffffffff"));
  EXPECT_FALSE(IsMulticastMac("01-00-00-00-00-00"));
  EXPECT_FALSE(IsMulticastMac("010000000000"));
  EXPECT_FALSE(IsMulticastMac("0a0000000001"));  // even low digit, lower case
  EXPECT_FALSE(IsMulticastMac("00-11-22-33-44-55"));
  EXPECT_FALSE(IsMulticastMac("0"));
}

TEST(AddressValidators, UnicastMac) {
  EXPECT_TRUE(IsUnicastMac("00-11-22-33-44-55"));
  EXPECT_TRUE(IsUnicastMac("0a0000000001"));
  EXPECT_TRUE(IsUnicastMac("0E.00.00.00.00.00"));
  EXPECT_FALSE(IsUnicastMac("00-00-00-00-00-00"));
  EXPECT_FALSE(IsUnicastMac("000000000000"));
  EXPECT_FALSE(IsUnicastMac("01-00-5E-00-00-01"));
  EXPECT_FALSE(IsUnicastMac("0d0000000001"));
  EXPECT_FALSE(IsUnicastMac("FF-FF-FF-FF-FF-FF"));
  EXPECT_FALSE(IsUnicastMac(""));
}
