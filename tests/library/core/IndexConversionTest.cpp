#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "library/VnErrors.h"
#include "library/VnOptionList.h"
#include "library/VnSNMPRequest.h"
#include "platform/Exceptions.h"

namespace {

struct Column {
  std::uint32_t syntax;
  std::uint32_t access = SNMP_ACCESS_NOTACCESS;
  VnOptionList* options = nullptr;
};

// A request over a table whose leading `keys` columns are index columns.
class Table {
 public:
  Table(std::vector<Column> columns, std::uint32_t keys) {
    std::vector<VnSNMPVarDesc> table;
    for (const Column& c : columns)
      table.push_back({"1.3.6.1.4.1.171.9.1.1", "Key", c.syntax, c.access, c.options, nullptr,
                       nullptr, nullptr, nullptr, nullptr});
    table.push_back({});
    request.VarList = VnSNMPVarList(table.data(), VnItemType::MVT_FMV, keys);
  }
  AnsiString& Value(int i) { return *request.VarList.Item(i)->Value; }
  // The joined instance suffix of all index columns.
  AnsiString Encode() {
    AnsiString out;
    for (std::uint32_t k = 0; k < request.VarList.KeyCount; ++k) {
      AnsiString part;
      request.ValueToIndex(static_cast<int>(k), part);
      if (k) out += ".";
      out += part;
    }
    return out;
  }
  // Splits a suffix over all index columns; returns what is left.
  AnsiString Decode(const AnsiString& suffix) {
    AnsiString rest = suffix;
    for (std::uint32_t k = 0; k < request.VarList.KeyCount; ++k)
      rest = request.IndexToValue(static_cast<int>(k), rest);
    return rest;
  }
  VnSNMPRequest request;
};

AnsiString Encode1(std::uint32_t syntax, const AnsiString& value,
                   std::uint32_t access = SNMP_ACCESS_NOTACCESS) {
  Table t({{syntax, access}}, 1);
  t.Value(0) = value;
  return t.Encode();
}

AnsiString Decode1(std::uint32_t syntax, const AnsiString& suffix, AnsiString* rest = nullptr,
                   std::uint32_t access = SNMP_ACCESS_NOTACCESS) {
  Table t({{syntax, access}}, 1);
  AnsiString left = t.request.IndexToValue(0, suffix);
  if (rest) *rest = left;
  return t.Value(0);
}

int DecodeError(std::uint32_t syntax, const AnsiString& suffix,
                std::uint32_t access = SNMP_ACCESS_NOTACCESS) {
  Table t({{syntax, access}}, 1);
  t.Value(0) = "kept";
  try {
    t.request.IndexToValue(0, suffix);
  } catch (const Exception& e) {
    EXPECT_EQ(t.Value(0), "kept");  // nothing stored before the error
    return e.HelpContext;
  }
  return 0;
}

constexpr std::uint32_t kImplied = SNMP_ACCESS_NOTACCESS | SNMP_ACCESS_IMPLIED;

}  // namespace

TEST(IndexEncoding, NumbersAndAddresses) {
  EXPECT_EQ(Encode1(SNMP_SYNTAX_INTEGER, "42"), "42");
  EXPECT_EQ(Encode1(SNMP_SYNTAX_INTEGER, "2147483647"), "2147483647");
  EXPECT_EQ(Encode1(SNMP_SYNTAX_GUAGE, " 4294967295 "), "4294967295");
  EXPECT_EQ(Encode1(SNMP_SYNTAX_BOOLEAN, "true"), "1");
  EXPECT_EQ(Encode1(SNMP_SYNTAX_BOOLEAN, "True"), "0");
  EXPECT_EQ(Encode1(SNMP_SYNTAX_TIMETICKS, "0:00:01.00"), "100");
  EXPECT_EQ(Encode1(SNMP_SYNTAX_COUNTER64, "4294967298"), "1.2");
  EXPECT_EQ(Encode1(SNMP_SYNTAX_NULL, "x"), "");
  EXPECT_EQ(Encode1(SNMP_SYNTAX_IPADDRESS, "10.1.2.3"), "10.1.2.3");
  EXPECT_EQ(Encode1(SNMP_SYNTAX_DOUBLE, "2.5"), "0.1074003968");
}

TEST(IndexEncoding, StringsWithAndWithoutLength) {
  EXPECT_EQ(Encode1(SNMP_SYNTAX_OCTETSTR, "0A0B"), "2.10.11");
  EXPECT_EQ(Encode1(SNMP_SYNTAX_OCTETSTR, "0A0B", kImplied), "10.11");
  EXPECT_EQ(Encode1(SNMP_SYNTAX_OCTETSTR, ""), "0");
  EXPECT_EQ(Encode1(SNMP_SYNTAX_DISPLAYSTR, "ab"), "2.97.98");
  EXPECT_EQ(Encode1(SNMP_SYNTAX_DISPLAYSTR, "ab", kImplied), "97.98");
  EXPECT_EQ(Encode1(SNMP_SYNTAX_DISPLAYSTR, "\xE9"), "1.233");  // octets, not signed chars
  EXPECT_EQ(Encode1(SNMP_SYNTAX_OBJECTID, "1.3.6"), "3.1.3.6");
  EXPECT_EQ(Encode1(SNMP_SYNTAX_OBJECTID, "1.3.6", kImplied), "1.3.6");
}

// An identifier naming a row goes into the instance as plain numbers, but
// only one that the wire form carries as a value (first x 40 + second) is
// taken; without a value it is the zero-length one.
TEST(IndexEncoding, OnlyIdentifiersTheWireFormCarriesNameARow) {
  const struct {
    const char* value;
    std::uint32_t access;
    const char* out;  // null: refused
  } cases[] = {
      {"2.4294967215", SNMP_ACCESS_NOTACCESS, "2.2.4294967215"},
      {"1.39", kImplied, "1.39"},
      {"", SNMP_ACCESS_NOTACCESS, "0"},
      {"(NULL)", SNMP_ACCESS_NOTACCESS, "0"},
      {"1.40", SNMP_ACCESS_NOTACCESS, nullptr},
      {"0.40", kImplied, nullptr},
  };
  for (const auto& c : cases) {
    Table t({{SNMP_SYNTAX_OBJECTID, c.access}}, 1);
    t.Value(0) = c.value;
    AnsiString out = "untouched";
    try {
      t.request.ValueToIndex(0, out);
      EXPECT_NE(c.out, nullptr) << c.value << " gave " << out.str();
    } catch (const Exception& e) {
      EXPECT_EQ(c.out, nullptr) << c.value;
      EXPECT_EQ(e.HelpContext, VNERR_BAD_PART_VALUE) << c.value;
    }
    EXPECT_EQ(out, c.out ? c.out : "untouched") << c.value;
  }
}

TEST(IndexEncoding, FixedSizeAddressesAndDates) {
  EXPECT_EQ(Encode1(SNMP_SYNTAX_MACADDRESS, "0011223344FF"), "0.17.34.51.68.255");
  EXPECT_EQ(Encode1(SNMP_SYNTAX_MACADDRESS, "0011223344556677"), "0.17.34.51.68.85");
  EXPECT_EQ(Encode1(SNMP_SYNTAX_IPV6ADDRESS, "FE800000000000000000000000000001"),
            "254.128.0.0.0.0.0.0.0.0.0.0.0.0.0.1");
  EXPECT_EQ(Encode1(SNMP_SYNTAX_DATETIME, "2009-3-5,14:7:9.0,+8:0"), "7.217.3.5.14.7.9.0.43.8.0");
}

TEST(IndexEncoding, AnIndexWithoutAValue) {
  // A string without a value is the zero-length string, never "(NULL)".
  EXPECT_EQ(Encode1(SNMP_SYNTAX_DISPLAYSTR, ""), "0");
  EXPECT_EQ(Encode1(SNMP_SYNTAX_DISPLAYSTR, "(NULL)"), "0");
  EXPECT_EQ(Encode1(SNMP_SYNTAX_DISPLAYSTR, "(NULL)", kImplied), "");
  EXPECT_EQ(Encode1(SNMP_SYNTAX_OCTETSTR, "(NULL)"), "0");
  // Any other syntax makes no instance of it: a number that is not there,
  // or that one sub-identifier does not carry as it is (negative, past it,
  // with text around it), an address too short to fill its octets.
  const std::pair<std::uint32_t, const char*> refused[] = {
      {SNMP_SYNTAX_INTEGER, ""},           {SNMP_SYNTAX_INTEGER, "(NULL)"},
      {SNMP_SYNTAX_GUAGE, "ports"},        {SNMP_SYNTAX_INTEGER, "-2"},
      {SNMP_SYNTAX_INTEGER, "2147483648"}, {SNMP_SYNTAX_INTEGER, "4.9"},
      {SNMP_SYNTAX_COUNTER, "-1"},         {SNMP_SYNTAX_GUAGE, "4294967296"},
      {SNMP_SYNTAX_UINTEGER, "3a"},        {SNMP_SYNTAX_GUAGE, "7 ports"},
      {SNMP_SYNTAX_TIMETICKS, ""},         {SNMP_SYNTAX_MACADDRESS, "00112233"},
      {SNMP_SYNTAX_IPV6ADDRESS, "FE80"},   {SNMP_SYNTAX_MACADDRESS, ""},
      {SNMP_SYNTAX_DATETIME, "(NULL)"}};
  for (const auto& [syntax, value] : refused) {
    Table t({{syntax}}, 1);
    t.Value(0) = value;
    AnsiString out = "untouched";
    try {
      t.request.ValueToIndex(0, out);
      ADD_FAILURE() << syntax << " " << value;
    } catch (const Exception& e) {
      EXPECT_EQ(e.HelpContext, VNERR_BAD_PART_VALUE) << syntax << " " << value;
    }
    EXPECT_EQ(out, "untouched");
  }
}

// A profile name, then an implied subtree: left empty, the subtree would
// leave the instance ending in a dot.
TEST(IndexEncoding, AnEmptyImpliedLastIndexAfterOthersIsRefused) {
  for (std::uint32_t syntax :
       {SNMP_SYNTAX_OBJECTID, SNMP_SYNTAX_DISPLAYSTR, SNMP_SYNTAX_OCTETSTR}) {
    Table t({{SNMP_SYNTAX_DISPLAYSTR}, {syntax, kImplied}}, 2);
    t.Value(0) = "p";
    for (const char* empty : {"", "(NULL)"}) {
      t.Value(1) = empty;
      try {
        ADD_FAILURE() << syntax << " gave " << t.Encode().str();
      } catch (const Exception& e) {
        EXPECT_EQ(e.HelpContext, VNERR_BAD_PART_VALUE) << syntax;
      }
    }
  }
  Table t({{SNMP_SYNTAX_DISPLAYSTR}, {SNMP_SYNTAX_OBJECTID, kImplied}}, 2);
  t.Value(0) = "p";
  t.Value(1) = "1.3";
  EXPECT_EQ(t.Encode(), "1.112.1.3");
}

TEST(IndexEncoding, BadValuesAreRejected) {
  Table t({{SNMP_SYNTAX_IPADDRESS}, {SNMP_SYNTAX_OBJECTID}, {SNMP_SYNTAX_BOOL8}}, 3);
  AnsiString out = "untouched";
  for (const char* bad : {"10.1.2", "10.1.2.3.4", "10.1.2.300", "host", ""}) {
    t.Value(0) = bad;
    try {
      t.request.ValueToIndex(0, out);
      ADD_FAILURE() << bad;
    } catch (const Exception& e) {
      EXPECT_EQ(e.HelpContext, VNERR_BAD_SYNTAX) << bad;
    }
  }
  t.Value(1) = "1..3";
  EXPECT_THROW(t.request.ValueToIndex(1, out), Exception);
  EXPECT_THROW(t.request.ValueToIndex(2, out), Exception);  // a part syntax
  EXPECT_THROW(t.request.ValueToIndex(3, out), Exception);  // beyond the list
  EXPECT_EQ(out, "untouched");
}

TEST(IndexDecoding, SplittingAnAddressAndAnInteger) {
  Table t({{SNMP_SYNTAX_IPADDRESS}, {SNMP_SYNTAX_INTEGER}}, 2);
  AnsiString rest = t.request.IndexToValue(0, "10.1.2.3.7");
  EXPECT_EQ(t.Value(0), "10.1.2.3");
  EXPECT_EQ(rest, "7");
  EXPECT_EQ(t.request.IndexToValue(1, rest), "");
  EXPECT_EQ(t.Value(1), "7");
  EXPECT_EQ(Decode1(SNMP_SYNTAX_INTEGER, "2147483647"), "2147483647");
  EXPECT_EQ(Decode1(SNMP_SYNTAX_COUNTER, "4294967295"), "4294967295");
  EXPECT_EQ(Decode1(SNMP_SYNTAX_BOOLEAN, "2"), "true");
  EXPECT_EQ(Decode1(SNMP_SYNTAX_TIMETICKS, "8640000"), "1 day 0:00:00.00");
  EXPECT_EQ(Decode1(SNMP_SYNTAX_COUNTER64, "1.2"), "4294967298");
  EXPECT_EQ(Decode1(SNMP_SYNTAX_DOUBLE, "0.1074003968"), "2.5");
  AnsiString left;
  EXPECT_EQ(Decode1(SNMP_SYNTAX_NULL, "5.6", &left), "(NULL)");
  EXPECT_EQ(left, "5.6");
}

TEST(IndexDecoding, StringsWithLengthAndImpliedLast) {
  AnsiString rest;
  EXPECT_EQ(Decode1(SNMP_SYNTAX_OCTETSTR, "2.10.11.9", &rest), "0A0B");
  EXPECT_EQ(rest, "9");
  EXPECT_EQ(Decode1(SNMP_SYNTAX_OCTETSTR, "10.11.9", &rest, kImplied), "0A0B09");
  EXPECT_EQ(rest, "");
  EXPECT_EQ(Decode1(SNMP_SYNTAX_OCTETSTR, "0.5", &rest), "");
  EXPECT_EQ(rest, "5");
  EXPECT_EQ(Decode1(SNMP_SYNTAX_OCTETSTR, "1.258"), "02");  // low 8 bits
  EXPECT_EQ(Decode1(SNMP_SYNTAX_DISPLAYSTR, "3.112.111.114"), "por");
  EXPECT_EQ(Decode1(SNMP_SYNTAX_DISPLAYSTR, "112.49", nullptr, kImplied), "p1");
  EXPECT_EQ(Decode1(SNMP_SYNTAX_OBJECTID, "2.1.3.6", &rest), "1.3");
  EXPECT_EQ(rest, "6");
  EXPECT_EQ(Decode1(SNMP_SYNTAX_OBJECTID, "1.3.6", nullptr, kImplied), "1.3.6");
  EXPECT_EQ(Decode1(SNMP_SYNTAX_MACADDRESS, "0.17.34.51.68.255.4", &rest), "0011223344FF");
  EXPECT_EQ(rest, "4");
  EXPECT_EQ(Decode1(SNMP_SYNTAX_IPV6ADDRESS, "254.128.0.0.0.0.0.0.0.0.0.0.0.0.0.1"),
            "FE800000000000000000000000000001");
  EXPECT_EQ(Decode1(SNMP_SYNTAX_IPV6ADDRESS, "254.128", nullptr, kImplied), "FE80");
  EXPECT_EQ(Decode1(SNMP_SYNTAX_DATETIME, "7.217.3.5.14.7.9.0.45.5.30"), "2009-3-5,14:7:9.0,-5:30");
}

TEST(IndexDecoding, ImpliedOnlyForTheLastIndexColumn) {
  // The flag on a column that is not the last index column is ignored.
  Table t({{SNMP_SYNTAX_OCTETSTR, kImplied}, {SNMP_SYNTAX_OCTETSTR, kImplied}}, 2);
  t.Value(0) = "0A";
  t.Value(1) = "0B0C";
  EXPECT_EQ(t.Encode(), "1.10.11.12");
  t.Value(0) = t.Value(1) = "";
  EXPECT_EQ(t.Decode("1.10.11.12"), "");
  EXPECT_EQ(t.Value(0), "0A");
  EXPECT_EQ(t.Value(1), "0B0C");
}

TEST(IndexDecoding, MultiColumnKeysRoundTrip) {
  Table two({{SNMP_SYNTAX_INTEGER}, {SNMP_SYNTAX_MACADDRESS}}, 2);
  two.Value(0) = "5";
  two.Value(1) = "00AABBCCDDEE";
  AnsiString suffix = two.Encode();
  EXPECT_EQ(suffix, "5.0.170.187.204.221.238");
  two.Value(0) = two.Value(1) = "";
  EXPECT_EQ(two.Decode(suffix), "");
  EXPECT_EQ(two.Value(0), "5");
  EXPECT_EQ(two.Value(1), "00AABBCCDDEE");

  Table three({{SNMP_SYNTAX_IPADDRESS}, {SNMP_SYNTAX_DISPLAYSTR}, {SNMP_SYNTAX_GUAGE}}, 3);
  three.Value(0) = "192.168.1.1";
  three.Value(1) = "acl";
  three.Value(2) = "3";
  suffix = three.Encode();
  EXPECT_EQ(suffix, "192.168.1.1.3.97.99.108.3");
  three.Value(0) = three.Value(1) = three.Value(2) = "";
  EXPECT_EQ(three.Decode(suffix), "");
  EXPECT_EQ(three.Value(1), "acl");
  EXPECT_EQ(three.Value(2), "3");

  Table four({{SNMP_SYNTAX_INTEGER},
              {SNMP_SYNTAX_IPV6ADDRESS},
              {SNMP_SYNTAX_DATETIME},
              {SNMP_SYNTAX_OCTETSTR, kImplied}},
             4);
  four.Value(0) = "3";
  four.Value(1) = "FF020000000000000000000000000001";
  four.Value(2) = "2010-12-31,23:59:60.9";
  four.Value(3) = "0102";
  suffix = four.Encode();
  four.Value(0) = four.Value(1) = four.Value(2) = four.Value(3) = "";
  EXPECT_EQ(four.Decode(suffix), "");
  EXPECT_EQ(four.Value(0), "3");
  EXPECT_EQ(four.Value(1), "FF020000000000000000000000000001");
  EXPECT_EQ(four.Value(2), "2010-12-31,23:59:60.9");
  EXPECT_EQ(four.Value(3), "0102");
}

TEST(IndexDecoding, OptionListsMapBothWays) {
  static const VnOptionPair kPairs[] = {{1, "enabled"}, {2, "disabled"}, {0, nullptr}};
  VnOptionList options(kPairs);
  Table t({{SNMP_SYNTAX_INTEGER, SNMP_ACCESS_NOTACCESS, &options}}, 1);
  t.Value(0) = "disabled";
  EXPECT_EQ(t.Encode(), "2");
  EXPECT_EQ(t.Decode("1"), "");
  EXPECT_EQ(t.Value(0), "enabled");
  EXPECT_EQ(t.Decode("9"), "");
  EXPECT_EQ(t.Value(0), "9");  // unknown values show as numbers
}

TEST(IndexDecoding, MalformedSuffixesRaiseBadSyntax) {
  // A length larger than what remains.
  EXPECT_EQ(DecodeError(SNMP_SYNTAX_OCTETSTR, "5.1.2"), VNERR_BAD_SYNTAX);
  EXPECT_EQ(DecodeError(SNMP_SYNTAX_DISPLAYSTR, "4294967295.1"), VNERR_BAD_SYNTAX);
  EXPECT_EQ(DecodeError(SNMP_SYNTAX_OBJECTID, "3.1.3"), VNERR_BAD_SYNTAX);
  // Suffixes shorter than a fixed-size syntax needs.
  EXPECT_EQ(DecodeError(SNMP_SYNTAX_IPADDRESS, "10.1.2"), VNERR_BAD_SYNTAX);
  EXPECT_EQ(DecodeError(SNMP_SYNTAX_MACADDRESS, "1.2.3.4.5"), VNERR_BAD_SYNTAX);
  EXPECT_EQ(DecodeError(SNMP_SYNTAX_IPV6ADDRESS, "1.2.3.4.5.6.7.8.9.10.11.12.13.14.15"),
            VNERR_BAD_SYNTAX);
  EXPECT_EQ(DecodeError(SNMP_SYNTAX_DATETIME, "7.217.3.5.14.7.9.0.43.8"), VNERR_BAD_SYNTAX);
  EXPECT_EQ(DecodeError(SNMP_SYNTAX_COUNTER64, "1"), VNERR_BAD_SYNTAX);
  EXPECT_EQ(DecodeError(SNMP_SYNTAX_INTEGER, ""), VNERR_BAD_SYNTAX);
  EXPECT_EQ(DecodeError(SNMP_SYNTAX_OCTETSTR, ""), VNERR_BAD_SYNTAX);
  // A sub-identifier past the INTEGER's values (no negative one names a row).
  EXPECT_EQ(DecodeError(SNMP_SYNTAX_INTEGER, "2147483648"), VNERR_BAD_SYNTAX);
  // Text that is no dotted suffix, unknown syntaxes, item beyond the list.
  EXPECT_EQ(DecodeError(SNMP_SYNTAX_INTEGER, "1..2"), VNERR_BAD_SYNTAX);
  EXPECT_EQ(DecodeError(SNMP_SYNTAX_INTEGER, "1.x"), VNERR_BAD_SYNTAX);
  EXPECT_EQ(DecodeError(SNMP_SYNTAX_INTEGER, "99999999999"), VNERR_BAD_SYNTAX);
  EXPECT_EQ(DecodeError(SNMP_SYNTAX_UINT16, "1"), VNERR_BAD_SYNTAX);
  Table t({{SNMP_SYNTAX_INTEGER}}, 1);
  EXPECT_THROW(t.request.IndexToValue(1, "1"), Exception);
  EXPECT_THROW(t.request.IndexToValue(-1, "1"), Exception);
}
