#include <gtest/gtest.h>

#include "library/VnErrors.h"
#include "library/VnRawValue.h"
#include "library/VnSNMPVarDesc.h"
#include "platform/Exceptions.h"

namespace {

VnOctets Bytes(std::initializer_list<int> values) {
  VnOctets out;
  for (int v : values) out.push_back(static_cast<std::uint8_t>(v));
  return out;
}

int ErrorOf(auto&& call) {
  try {
    call();
  } catch (const Exception& e) {
    return e.HelpContext;
  }
  return 0;
}

}  // namespace

TEST(RawEncodingWords, ThirtyTwoBitValuesAreLittleEndian) {
  EXPECT_EQ(VnValueToBytes("-1", SNMP_SYNTAX_INTEGER), Bytes({0xFF, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(VnBytesToValue(Bytes({0xFF, 0xFF, 0xFF, 0xFF}), SNMP_SYNTAX_INTEGER), "-1");
  EXPECT_EQ(VnBytesToValue(Bytes({0xFF, 0xFF, 0xFF, 0xFF}), SNMP_SYNTAX_COUNTER), "4294967295");
  EXPECT_EQ(VnValueToBytes("258", SNMP_SYNTAX_GUAGE), Bytes({0x02, 0x01, 0, 0}));
  EXPECT_EQ(VnBytesToValue(Bytes({0x02, 0x01, 0, 0}), SNMP_SYNTAX_UINTEGER), "258");
  EXPECT_EQ(VnValueToBytes("12345", SNMP_SYNTAX_TIMETICKS), Bytes({0, 0, 0, 0}));  // bare number
  EXPECT_EQ(VnBytesToValue(Bytes({0x39, 0x30, 0, 0}), SNMP_SYNTAX_TIMETICKS), "0:02:03.45");
  EXPECT_EQ(VnValueToBytes("0:02:03.45", SNMP_SYNTAX_TIMETICKS), Bytes({0x39, 0x30, 0, 0}));
}

TEST(RawEncodingWords, IntegerTextIsReadModulo2To32) {
  EXPECT_EQ(VnValueToBytes("4294967295", SNMP_SYNTAX_INTEGER), Bytes({0xFF, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(VnValueToBytes("4294967296", SNMP_SYNTAX_INTEGER), Bytes({0, 0, 0, 0}));
  EXPECT_EQ(VnValueToBytes("  +7kg", SNMP_SYNTAX_INTEGER), Bytes({7, 0, 0, 0}));
  EXPECT_EQ(VnValueToBytes("abc", SNMP_SYNTAX_INTEGER), Bytes({0, 0, 0, 0}));
  EXPECT_EQ(VnValueToBytes("-2147483648", SNMP_SYNTAX_INTEGER), Bytes({0, 0, 0, 0x80}));
  EXPECT_EQ(VnBytesToValue(Bytes({0, 0, 0, 0x80}), SNMP_SYNTAX_INTEGER), "-2147483648");
}

TEST(RawEncodingWords, Counter64IsLowWordFirst) {
  EXPECT_EQ(VnValueToBytes("4294967296", SNMP_SYNTAX_COUNTER64), Bytes({0, 0, 0, 0, 1, 0, 0, 0}));
  EXPECT_EQ(VnValueToBytes("18446744073709551615", SNMP_SYNTAX_COUNTER64),
            Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(VnBytesToValue(Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}),
                           SNMP_SYNTAX_COUNTER64),
            "18446744073709551615");
  EXPECT_EQ(VnBytesToValue(Bytes({0, 0, 0, 0, 1, 0, 0, 0}), SNMP_SYNTAX_COUNTER64), "4294967296");
  EXPECT_EQ(VnValueToBytes("-5", SNMP_SYNTAX_COUNTER64), VnOctets(8, 0));
}

TEST(RawEncodingWords, DoubleAndBooleans) {
  VnOctets half = VnValueToBytes("2.5", SNMP_SYNTAX_DOUBLE);
  EXPECT_EQ(half, Bytes({0, 0, 0, 0, 0, 0, 0x04, 0x40}));
  EXPECT_EQ(VnBytesToValue(half, SNMP_SYNTAX_DOUBLE), "2.5");
  EXPECT_EQ(VnValueToBytes("true", SNMP_SYNTAX_BOOLEAN), Bytes({1, 0, 0, 0}));
  for (const char* notTrue : {"True", "1", "TRUE", "yes"})
    EXPECT_EQ(VnValueToBytes(notTrue, SNMP_SYNTAX_BOOLEAN), Bytes({0, 0, 0, 0})) << notTrue;
  EXPECT_EQ(VnBytesToValue(Bytes({0, 1, 0, 0}), SNMP_SYNTAX_BOOLEAN), "true");
  EXPECT_EQ(VnBytesToValue(Bytes({0, 0, 0, 0}), SNMP_SYNTAX_BOOLEAN), "false");
}

TEST(RawEncodingParts, SixteenBitPartsAreBigEndian) {
  EXPECT_EQ(VnValueToBytes("258", SNMP_SYNTAX_UINT16), Bytes({0x01, 0x02}));
  EXPECT_EQ(VnBytesToValue(Bytes({0x01, 0x02}), SNMP_SYNTAX_UINT16), "258");
  EXPECT_EQ(VnBytesToValue(Bytes({0xFF, 0xFE}), SNMP_SYNTAX_INT16), "-2");
  EXPECT_EQ(VnBytesToValue(Bytes({0xFF, 0xFE}), SNMP_SYNTAX_UINT16), "65534");
  EXPECT_EQ(VnValueToBytes("true", SNMP_SYNTAX_BOOL16), Bytes({0, 1}));
  EXPECT_EQ(VnBytesToValue(Bytes({1, 0}), SNMP_SYNTAX_BOOL16), "true");
  EXPECT_EQ(VnValueToBytes("-1", SNMP_SYNTAX_INT8), Bytes({0xFF}));
  EXPECT_EQ(VnBytesToValue(Bytes({0xFF}), SNMP_SYNTAX_INT8), "-1");
  EXPECT_EQ(VnBytesToValue(Bytes({0xFF}), SNMP_SYNTAX_UINT8), "255");
  EXPECT_EQ(VnValueToBytes("257", SNMP_SYNTAX_UINT8), Bytes({0x01}));
  EXPECT_EQ(VnBytesToValue(Bytes({0}), SNMP_SYNTAX_BOOL8), "false");
}

TEST(RawEncodingParts, CuttingPartsOutOfAValue) {
  VnOctets value = Bytes({1, 2, 3, 4});
  EXPECT_EQ(VnPartBytes(value, 2, SNMP_SYNTAX_UINT16), Bytes({3, 4}));
  EXPECT_EQ(ErrorOf([&] { VnPartBytes(value, 3, SNMP_SYNTAX_UINT16); }), VNERR_PART_INDEX_RANGE);
  EXPECT_EQ(ErrorOf([&] { VnPartBytes(value, 0xFFFFFFFFu, SNMP_SYNTAX_UINT8); }),
            VNERR_PART_INDEX_RANGE);
  EXPECT_EQ(VnPartBytes(value, 0, SNMP_SYNTAX_INTEGER), value);
  EXPECT_EQ(ErrorOf([&] { VnPartBytes(value, 1, SNMP_SYNTAX_INTEGER); }), VNERR_PART_INDEX_RANGE);
  EXPECT_EQ(VnPartBytes(value, 1, SNMP_SYNTAX_OCTETSTR), Bytes({2, 3, 4}));
  EXPECT_TRUE(VnPartBytes(value, 9, SNMP_SYNTAX_DISPLAYSTR).empty());
  EXPECT_TRUE(VnPartBytes(value, 0, SNMP_SYNTAX_NULL).empty());
  EXPECT_TRUE(VnPartBytes(VnOctets(), 5, SNMP_SYNTAX_UINT16).empty());
  EXPECT_EQ(ErrorOf([&] { VnPartBytes(value, 0, 0x99); }), VNERR_BAD_SYNTAX);
}

TEST(RawEncodingParts, TooFewBytesToDecode) {
  EXPECT_EQ(ErrorOf([] {
              VnBytesToValue(Bytes({1, 2, 3}), SNMP_SYNTAX_INTEGER);
            }),
            VNERR_BAD_PART_VALUE);
  EXPECT_EQ(ErrorOf([] { VnBytesToValue(Bytes({1}), SNMP_SYNTAX_UINT16); }), VNERR_BAD_PART_VALUE);
  EXPECT_EQ(ErrorOf([] {
              VnBytesToValue(Bytes({0, 1, 2, 3, 4}), SNMP_SYNTAX_MACADDRESS);
            }),
            VNERR_BAD_PART_VALUE);
  EXPECT_EQ(ErrorOf([] { VnBytesToValue(VnOctets(10, 0), SNMP_SYNTAX_DATETIME); }),
            VNERR_BAD_PART_VALUE);
  EXPECT_EQ(ErrorOf([] { VnBytesToValue(Bytes({1}), SNMP_SYNTAX_BCDATETIME); }),
            VNERR_BAD_PART_VALUE);
  EXPECT_EQ(ErrorOf([] { VnBytesToValue(Bytes({1}), 0xC7); }), VNERR_BAD_SYNTAX);
  EXPECT_EQ(ErrorOf([] { VnValueToBytes("1", 0); }), VNERR_BAD_SYNTAX);
  // An address part above 255 is refused, not cut to its low byte.
  EXPECT_EQ(ErrorOf([] { VnValueToBytes("192.168.100.1001", SNMP_SYNTAX_IPADDRESS); }),
            VNERR_BAD_PART_VALUE);
  EXPECT_EQ(ErrorOf([] { VnValueToBytes("256.0.0.1", SNMP_SYNTAX_NSAPADDR); }),
            VNERR_BAD_PART_VALUE);
}

// "(NULL)" is no value and has no bytes. No bytes are the empty text where
// the syntax travels as an octet string (an empty string is a value), and no
// value in every other syntax.
TEST(RawEncodingTexts, NullAndEmpty) {
  const struct {
    std::uint32_t syntax;
    const char* noBytes;
  } rows[] = {
      {SNMP_SYNTAX_INTEGER, "(NULL)"},   {SNMP_SYNTAX_UINT16, "(NULL)"},
      {SNMP_SYNTAX_IPADDRESS, "(NULL)"}, {SNMP_SYNTAX_OBJECTID, "(NULL)"},
      {SNMP_SYNTAX_OCTETSTR, ""},        {SNMP_SYNTAX_DISPLAYSTR, ""},
      {SNMP_SYNTAX_BITSTR, ""},          {SNMP_SYNTAX_OPAQUE, ""},
      {SNMP_SYNTAX_MACADDRESS, ""},      {SNMP_SYNTAX_IPV6ADDRESS, ""},
      {SNMP_SYNTAX_DATETIME, ""},        {SNMP_SYNTAX_DOUBLE, ""},
      {SNMP_SYNTAX_BCDATETIME, ""},
  };
  for (const auto& row : rows) {
    EXPECT_TRUE(VnValueToBytes("(NULL)", row.syntax).empty()) << row.syntax;
    EXPECT_EQ(VnBytesToValue(VnOctets(), row.syntax), row.noBytes) << row.syntax;
    if (*row.noBytes == '\0') {
      EXPECT_TRUE(VnValueToBytes("", row.syntax).empty()) << row.syntax;
    }
  }
  EXPECT_TRUE(VnValueToBytes("anything", SNMP_SYNTAX_NULL).empty());
  EXPECT_EQ(VnBytesToValue(Bytes({1}), SNMP_SYNTAX_NULL), "(NULL)");
}

TEST(RawEncodingTexts, AddressesIdentifiersAndStrings) {
  EXPECT_EQ(VnValueToBytes("192.168.0.1", SNMP_SYNTAX_IPADDRESS), Bytes({0xC0, 0xA8, 0, 1}));
  EXPECT_EQ(VnBytesToValue(Bytes({0xC0, 0xA8, 0, 1}), SNMP_SYNTAX_IPADDRESS), "192.168.0.1");
  EXPECT_EQ(VnBytesToValue(Bytes({10, 0, 0, 1, 99}), SNMP_SYNTAX_IPADDRESS), "10.0.0.1");
  EXPECT_EQ(VnValueToBytes("1.3.258", SNMP_SYNTAX_OBJECTID),
            Bytes({1, 0, 0, 0, 3, 0, 0, 0, 2, 1, 0, 0}));
  EXPECT_EQ(VnBytesToValue(Bytes({1, 0, 0, 0, 3, 0, 0, 0, 2, 1}), SNMP_SYNTAX_OBJECTID), "1.3");
  EXPECT_EQ(VnValueToBytes("1a ff", SNMP_SYNTAX_OCTETSTR), Bytes({0x1A, 0xFF}));
  EXPECT_EQ(VnBytesToValue(Bytes({0, 0x1A, 0xFF}), SNMP_SYNTAX_BITSTR), "001AFF");
  EXPECT_EQ(VnBytesToValue(Bytes({0, 1, 2, 3, 4, 5, 6}), SNMP_SYNTAX_MACADDRESS), "00010203040506");
  EXPECT_EQ(VnValueToBytes("ab", SNMP_SYNTAX_DISPLAYSTR), Bytes({'a', 'b'}));
  EXPECT_EQ(VnBytesToValue(Bytes({'a', 0, 'b'}), SNMP_SYNTAX_DISPLAYSTR), "a");
}

TEST(RawEncodingTexts, DateTimeHasTheYearBigEndian) {
  VnOctets wire = VnValueToBytes("2009-3-5,14:7:9.0,+8:0", SNMP_SYNTAX_DATETIME);
  EXPECT_EQ(wire, Bytes({0x07, 0xD9, 3, 5, 14, 7, 9, 0, '+', 8, 0}));
  EXPECT_EQ(VnBytesToValue(wire, SNMP_SYNTAX_DATETIME), "2009-3-5,14:7:9.0,+8:0");
  wire.push_back(0x55);  // bytes beyond the width are ignored
  EXPECT_EQ(VnBytesToValue(wire, SNMP_SYNTAX_DATETIME), "2009-3-5,14:7:9.0,+8:0");
}

TEST(RawEncodingTexts, PartRoundTripThroughAWholeValue) {
  // A uint16 field at offset 2 of a 4-byte octet string, written and read back.
  VnOctets raw = VnValueToBytes("00000000", SNMP_SYNTAX_OCTETSTR);
  VnOctets part = VnValueToBytes("513", SNMP_SYNTAX_UINT16);
  std::copy(part.begin(), part.end(), raw.begin() + 2);
  AnsiString whole = VnBytesToValue(raw, SNMP_SYNTAX_OCTETSTR);
  EXPECT_EQ(whole, "00000201");
  EXPECT_EQ(VnBytesToValue(
                VnPartBytes(VnValueToBytes(whole, SNMP_SYNTAX_OCTETSTR), 2, SNMP_SYNTAX_UINT16),
                SNMP_SYNTAX_UINT16),
            "513");
}
