#include <gtest/gtest.h>

#include <array>

#include "library/VnErrors.h"
#include "library/VnEvaluator.h"
#include "library/VnOptionList.h"
#include "library/VnRawValue.h"
#include "library/VnSNMPRequest.h"
#include "platform/Exceptions.h"
#include "snmp/Address.h"
#include "snmp/Counter64.h"
#include "snmp/Integer.h"
#include "snmp/OctetStr.h"
#include "snmp/Oid.h"
#include "snmp/Pdu.h"
#include "snmp/TimeTicks.h"
#include "snmp/Vb.h"
#include "support/DecimalCommaLocale.h"

namespace {

// A request with one item of the given syntax.
class OneItem {
 public:
  explicit OneItem(std::uint32_t syntax, VnOptionList* options = nullptr) {
    const VnSNMPVarDesc table[] = {{"1.3.6.1.4.1.171.7.1", "Value", syntax, SNMP_ACCESS_READWRITE,
                                    options, nullptr, nullptr, nullptr, nullptr, nullptr},
                                   {}};
    request.VarList = VnSNMPVarList(table, VnItemType::SVT_SV, 0);
  }
  AnsiString& Value() { return *request.VarList.Item(0)->Value; }
  AnsiString Read(const Vb& vb) {
    request.VbToValue(0, vb);
    return Value();
  }
  Vb Write(const AnsiString& text) {
    Value() = text;
    Vb vb(Oid("1.3.6.1.4.1.171.7.1.0"));
    request.ValueToVb(0, vb);
    return vb;
  }
  // The library error number a read raises; the value must stay as it was.
  int ReadError(const Vb& vb) {
    Value() = "before";
    try {
      request.VbToValue(0, vb);
    } catch (const Exception& e) {
      EXPECT_EQ(Value(), "before");
      return e.HelpContext;
    }
    return 0;
  }
  int WriteError(const AnsiString& text) {
    try {
      Write(text);
    } catch (const Exception& e) {
      return e.HelpContext;
    }
    return 0;
  }
  VnSNMPRequest request;
};

Vb With(const SnmpSyntax& value) {
  Vb vb(Oid("1.3.6.1.4.1.171.7.1.0"));
  vb.set_value(value);
  return vb;
}

Vb Exceptional(std::uint32_t tag) {
  Vb vb(Oid("1.3.6.1.4.1.171.7.1.0"));
  vb.set_syntax(tag);
  return vb;
}

OctetStr Octets(std::initializer_list<int> values) {
  OctetStr out;
  for (int v : values) out += static_cast<unsigned char>(v);
  return out;
}

OctetStr OctetsOf(const Vb& vb) {
  auto o = dynamic_cast<const OctetStr*>(vb.get_value_ptr());
  return o ? *o : OctetStr();
}

std::uint64_t NumberOf(const Vb& vb) {
  if (auto i = dynamic_cast<const SnmpInt32*>(vb.get_value_ptr()))
    return static_cast<std::uint64_t>(static_cast<std::int64_t>(i->value()));
  if (auto u = dynamic_cast<const SnmpUInt32*>(vb.get_value_ptr())) return u->value();
  if (auto c = dynamic_cast<const Counter64*>(vb.get_value_ptr())) return c->value();
  ADD_FAILURE() << "not a number";
  return 0;
}

const std::uint32_t kItemSyntaxes[] = {
    SNMP_SYNTAX_BOOLEAN,   SNMP_SYNTAX_INTEGER,    SNMP_SYNTAX_BITSTR,     SNMP_SYNTAX_OCTETSTR,
    SNMP_SYNTAX_NULL,      SNMP_SYNTAX_OBJECTID,   SNMP_SYNTAX_IPADDRESS,  SNMP_SYNTAX_COUNTER,
    SNMP_SYNTAX_GUAGE,     SNMP_SYNTAX_TIMETICKS,  SNMP_SYNTAX_OPAQUE,     SNMP_SYNTAX_NSAPADDR,
    SNMP_SYNTAX_COUNTER64, SNMP_SYNTAX_UINTEGER,   SNMP_SYNTAX_DOUBLE,     SNMP_SYNTAX_MACADDRESS,
    SNMP_SYNTAX_DATETIME,  SNMP_SYNTAX_BCDATETIME, SNMP_SYNTAX_DISPLAYSTR, SNMP_SYNTAX_IPV6ADDRESS,
};

}  // namespace

TEST(VbToValueNumbers, IntegersCountersAndBooleans) {
  EXPECT_EQ(OneItem(SNMP_SYNTAX_INTEGER).Read(With(SnmpInt32(-5))), "-5");
  EXPECT_EQ(OneItem(SNMP_SYNTAX_INTEGER).Read(With(SnmpInt32(2147483647))), "2147483647");
  EXPECT_EQ(OneItem(SNMP_SYNTAX_COUNTER).Read(With(Counter32(4294967295u))), "4294967295");
  EXPECT_EQ(OneItem(SNMP_SYNTAX_GUAGE).Read(With(Gauge32(7))), "7");
  // A number of another type shows as the agent gave it, sign and all.
  EXPECT_EQ(OneItem(SNMP_SYNTAX_UINTEGER).Read(With(SnmpInt32(-1))), "-1");
  EXPECT_EQ(OneItem(SNMP_SYNTAX_GUAGE).Read(With(Counter64(8589934593ull))), "8589934593");
  EXPECT_EQ(OneItem(SNMP_SYNTAX_INTEGER).Read(With(Gauge32(4294967295u))), "4294967295");
  EXPECT_EQ(OneItem(SNMP_SYNTAX_COUNTER64).Read(With(SnmpInt32(-2))), "-2");
  EXPECT_EQ(OneItem(SNMP_SYNTAX_TIMETICKS).ReadError(With(SnmpInt32(-1))), VNERR_BAD_SYNTAX);
  EXPECT_EQ(OneItem(SNMP_SYNTAX_TIMETICKS).ReadError(With(Counter64(1ull << 32))),
            VNERR_BAD_SYNTAX);
  EXPECT_EQ(OneItem(SNMP_SYNTAX_BOOLEAN).Read(With(SnmpInt32(0))), "false");
  EXPECT_EQ(OneItem(SNMP_SYNTAX_BOOLEAN).Read(With(SnmpInt32(2))), "true");
}

TEST(VbToValueNumbers, TimeTicksTexts) {
  OneItem t(SNMP_SYNTAX_TIMETICKS);
  EXPECT_EQ(t.Read(With(TimeTicks(0))), "0:00:00.00");
  EXPECT_EQ(t.Read(With(TimeTicks(12345))), "0:02:03.45");
  EXPECT_EQ(t.Read(With(TimeTicks(8640000))), "1 day 0:00:00.00");
  EXPECT_EQ(t.Read(With(TimeTicks(8640000 * 2 + 1))), "2 days, 0:00:00.01");
  EXPECT_EQ(t.Read(With(TimeTicks(4294967295u))), "497 days, 2:27:52.95");
  EXPECT_EQ(t.Read(With(TimeTicks(8640000 * 2 - 1))), "1 day 23:59:59.99");
}

TEST(VbToValueNumbers, Counter64Texts) {
  OneItem c(SNMP_SYNTAX_COUNTER64);
  EXPECT_EQ(c.Read(With(Counter64(4294967296ull))), "4294967296");
  EXPECT_EQ(c.Read(With(Counter64(18446744073709551615ull))), "18446744073709551615");
  EXPECT_EQ(c.Read(With(Counter64(0))), "0");
}

TEST(VbToValueOctets, HexTextOfOctetKinds) {
  for (std::uint32_t syntax : {SNMP_SYNTAX_OCTETSTR, SNMP_SYNTAX_BITSTR, SNMP_SYNTAX_OPAQUE}) {
    OneItem o(syntax);
    EXPECT_EQ(o.Read(With(Octets({0x00, 0x1A, 0xFF}))), "001AFF") << syntax;
    EXPECT_EQ(o.Read(With(OctetStr())), "") << syntax;  // an empty string is a value
    EXPECT_EQ(o.Read(With(OpaqueStr(Octets({0xAB})))), "AB") << syntax;
  }
  EXPECT_EQ(OneItem(SNMP_SYNTAX_MACADDRESS).Read(With(Octets({0, 0x11, 0x22, 0x33, 0x44, 0xFF}))),
            "0011223344FF");
  OctetStr v6;
  for (int i = 0; i < 16; ++i) v6 += static_cast<unsigned char>(i == 0 ? 0xFE : i);
  EXPECT_EQ(OneItem(SNMP_SYNTAX_IPV6ADDRESS).Read(With(v6)), "FE0102030405060708090A0B0C0D0E0F");
}

TEST(VbToValueOctets, DisplayStringsEndAtAZeroOctet) {
  OneItem d(SNMP_SYNTAX_DISPLAYSTR);
  EXPECT_EQ(d.Read(With(OctetStr("switch 1"))), "switch 1");
  EXPECT_EQ(d.Read(With(Octets({'a', 'b', 0, 'c', 'd'}))), "ab");
  // The octets go back whole while the text is left alone, as typed once not.
  EXPECT_EQ(OctetsOf(d.Write("ab")), Octets({'a', 'b', 0, 'c', 'd'}));
  EXPECT_EQ(OctetsOf(d.Write("abx")), OctetStr("abx"));
  EXPECT_EQ(d.Read(With(OctetStr("ab"))), "ab");
  EXPECT_EQ(OctetsOf(d.Write("ab")), OctetStr("ab"));
  EXPECT_EQ(d.Read(With(Octets({0, 'x'}))), "");
  EXPECT_EQ(d.Read(With(OctetStr())), "");
  EXPECT_EQ(d.Read(With(Octets({0xE9, 0x80}))), "\xE9\x80");  // bytes as they are
}

TEST(VbToValueOctets, DatesAndDoublesNeedTheirOctets) {
  OneItem dt(SNMP_SYNTAX_DATETIME);
  EXPECT_EQ(dt.Read(With(Octets({0x07, 0xD9, 3, 5, 14, 7, 9, 0, '+', 8, 0}))),
            "2009-3-5,14:7:9.0,+8:0");
  EXPECT_EQ(dt.Read(With(Octets({0x07, 0xD9, 3, 5, 14, 7, 9, 5, '+', 0, 0, 0x77}))),
            "2009-3-5,14:7:9.5");
  // The 8-octet form has no zone: none is shown. Shorter values are refused.
  EXPECT_EQ(dt.Read(With(Octets({0x07, 0xD9, 3, 5, 14, 7, 9, 0}))), "2009-3-5,14:7:9.0");
  EXPECT_EQ(dt.ReadError(With(Octets({0x07, 0xD9, 3, 5, 14, 7, 9}))), VNERR_BAD_SYNTAX);
  OneItem dbl(SNMP_SYNTAX_DOUBLE);
  EXPECT_EQ(dbl.Read(With(Octets({0, 0, 0, 0, 0, 0, 0x04, 0x40}))), "2.5");
  EXPECT_EQ(dbl.Read(With(Octets({0, 0, 0, 0, 0, 0, 0, 0}))), "0");
  EXPECT_EQ(dbl.ReadError(With(Octets({0, 0, 0, 0, 0, 0, 0x04}))), VNERR_BAD_SYNTAX);
  OneItem cal(SNMP_SYNTAX_BCDATETIME);
  EXPECT_EQ(cal.ReadError(With(Octets({1, 2, 3}))), VNERR_BAD_SYNTAX);
  // A date-time number far outside the calendar is refused, not formatted.
  EXPECT_EQ(cal.ReadError(With(Octets({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xEF, 0x7F}))),
            VNERR_BAD_SYNTAX);
}

TEST(VbToValueOther, IdentifiersAndAddresses) {
  EXPECT_EQ(OneItem(SNMP_SYNTAX_OBJECTID).Read(With(Oid("1.3.6.1.4.1.171"))), "1.3.6.1.4.1.171");
  EXPECT_EQ(OneItem(SNMP_SYNTAX_IPADDRESS).Read(With(IpAddress("10.1.2.3"))), "10.1.2.3");
  EXPECT_EQ(OneItem(SNMP_SYNTAX_NSAPADDR).Read(With(IpAddress("255.0.0.1"))), "255.0.0.1");
  EXPECT_EQ(OneItem(SNMP_SYNTAX_IPADDRESS).Read(With(Octets({192, 168, 0, 1}))), "192.168.0.1");
  EXPECT_EQ(OneItem(SNMP_SYNTAX_NULL).Read(With(SnmpInt32(4))), "(NULL)");
}

// An absent value is "(NULL)" in every syntax, a display string included;
// only an empty string is the empty text.
TEST(VbToValueOther, NullAndExceptionsReadAsNull) {
  for (std::uint32_t tag : {0x05u, 0x80u, 0x81u, 0x82u}) {
    for (std::uint32_t syntax : kItemSyntaxes) {
      OneItem item(syntax);
      EXPECT_EQ(item.Read(Exceptional(tag)), "(NULL)") << "tag " << tag << " syntax " << syntax;
    }
  }
}

// An empty octet string is a value of every syntax that travels as an octet
// string: it reads as the empty text and the empty text goes out as it,
// never as a null value (the agent would refuse the whole SET).
TEST(EmptyOctetStrings, AreValuesBothWays) {
  for (std::uint32_t syntax : kItemSyntaxes) {
    OneItem item(syntax);
    const bool octets = VnIsOctetStringSyntax(syntax);
    EXPECT_EQ(octets, syntax == SNMP_SYNTAX_BITSTR || syntax == SNMP_SYNTAX_OCTETSTR ||
                          syntax == SNMP_SYNTAX_OPAQUE || syntax == SNMP_SYNTAX_DISPLAYSTR ||
                          syntax == SNMP_SYNTAX_MACADDRESS || syntax == SNMP_SYNTAX_IPV6ADDRESS ||
                          syntax == SNMP_SYNTAX_DATETIME || syntax == SNMP_SYNTAX_DOUBLE ||
                          syntax == SNMP_SYNTAX_BCDATETIME)
        << syntax;
    if (!octets) continue;
    EXPECT_EQ(item.Read(With(OctetStr())), "") << syntax;
    const Vb vb = item.Write("");
    EXPECT_FALSE(vb.is_null_or_exception()) << syntax;
    EXPECT_EQ(vb.get_syntax(), 0x04u) << syntax;
    EXPECT_TRUE(OctetsOf(vb).empty()) << syntax;
  }
}

TEST(VbToValueOther, WrongKindsAndPartSyntaxesAreRefused) {
  EXPECT_EQ(OneItem(SNMP_SYNTAX_INTEGER).ReadError(With(OctetStr("12"))), VNERR_BAD_SYNTAX);
  EXPECT_EQ(OneItem(SNMP_SYNTAX_OCTETSTR).ReadError(With(SnmpInt32(12))), VNERR_BAD_SYNTAX);
  EXPECT_EQ(OneItem(SNMP_SYNTAX_OBJECTID).ReadError(With(SnmpInt32(12))), VNERR_BAD_SYNTAX);
  EXPECT_EQ(OneItem(SNMP_SYNTAX_IPADDRESS).ReadError(With(Octets({1, 2, 3}))), VNERR_BAD_SYNTAX);
  EXPECT_EQ(OneItem(SNMP_SYNTAX_DISPLAYSTR).ReadError(With(Oid("1.3"))), VNERR_BAD_SYNTAX);
  for (std::uint32_t syntax : {0xC1u, 0xC4u, 0xC6u, 0u, 0x99u}) {
    EXPECT_EQ(OneItem(syntax).ReadError(With(SnmpInt32(1))), VNERR_BAD_SYNTAX) << syntax;
    EXPECT_EQ(OneItem(syntax).WriteError("1"), VNERR_BAD_SYNTAX) << syntax;
  }
}

TEST(VbToValueOther, OptionListsShowTextsAndKeepUnknownNumbers) {
  static const VnOptionPair kPairs[] = {{1, "enabled"}, {2, "disabled"}, {0, nullptr}};
  VnOptionList options(kPairs);
  OneItem item(SNMP_SYNTAX_INTEGER, &options);
  EXPECT_EQ(item.Read(With(SnmpInt32(2))), "disabled");
  EXPECT_EQ(item.Read(With(SnmpInt32(3))), "3");
  EXPECT_EQ(item.Read(Exceptional(0x81)), "(NULL)");
  EXPECT_EQ(NumberOf(item.Write("Disabled")), 2u);
  EXPECT_EQ(NumberOf(item.Write("3")), 3u);
  EXPECT_EQ(NumberOf(item.Write("on")), 0u);  // typed text sent as typed, read as a number
}

TEST(ValueToVbNumbers, WireTypesOfNumbers) {
  Vb b = OneItem(SNMP_SYNTAX_BOOLEAN).Write("true");
  EXPECT_EQ(b.get_syntax(), 0x02u);
  EXPECT_EQ(NumberOf(b), 1u);
  EXPECT_EQ(NumberOf(OneItem(SNMP_SYNTAX_BOOLEAN).Write("True")), 0u);
  Vb i = OneItem(SNMP_SYNTAX_INTEGER).Write("  -12abc");
  EXPECT_EQ(i.get_syntax(), 0x02u);
  EXPECT_EQ(dynamic_cast<const SnmpInt32*>(i.get_value_ptr())->value(), -12);
  EXPECT_EQ(dynamic_cast<const SnmpInt32*>(
                OneItem(SNMP_SYNTAX_INTEGER).Write("4294967295").get_value_ptr())
                ->value(),
            -1);
  EXPECT_EQ(NumberOf(OneItem(SNMP_SYNTAX_INTEGER).Write("x")), 0u);
  for (std::uint32_t syntax : {SNMP_SYNTAX_COUNTER, SNMP_SYNTAX_GUAGE, SNMP_SYNTAX_UINTEGER}) {
    Vb g = OneItem(syntax).Write("4000000000");
    EXPECT_EQ(g.get_syntax(), 0x42u) << syntax;  // Gauge32
    EXPECT_EQ(NumberOf(g), 4000000000u);
  }
}

// A SET leaves out an item holding no value, and a number its syntax cannot
// carry (the agent gave it another type); a value of NULL syntax goes as
// NULL.
TEST(ValueToVbNumbers, ASetLeavesOutWhatTheSyntaxCannotCarry) {
  const struct {
    std::uint32_t syntax;
    const char* value;
    bool sent;
  } cases[] = {
      {SNMP_SYNTAX_INTEGER, "-2147483648", true}, {SNMP_SYNTAX_INTEGER, "4294967295", false},
      {SNMP_SYNTAX_INTEGER, "2147483648", false}, {SNMP_SYNTAX_GUAGE, "4294967295", true},
      {SNMP_SYNTAX_GUAGE, "-1", false},           {SNMP_SYNTAX_GUAGE, "8589934593", false},
      {SNMP_SYNTAX_COUNTER, "-1", false},         {SNMP_SYNTAX_UINTEGER, "4294967296", false},
      {SNMP_SYNTAX_COUNTER64, "-1", false},       {SNMP_SYNTAX_COUNTER64, "8589934593", true},
      {SNMP_SYNTAX_INTEGER, "(NULL)", false},     {SNMP_SYNTAX_DISPLAYSTR, "(NULL)", false},
      {SNMP_SYNTAX_IPADDRESS, "(NULL)", false},   {SNMP_SYNTAX_DISPLAYSTR, "", true},
      {SNMP_SYNTAX_NULL, "(NULL)", true},         {SNMP_SYNTAX_INTEGER, "abc", true},
  };
  for (const auto& c : cases) {
    OneItem item(c.syntax);
    item.Value() = c.value;
    Pdu pdu;
    std::vector<int> bindings;
    item.request.BuildPdu(VnSNMPRequest::PduMode::Set, pdu, &bindings);
    EXPECT_EQ(pdu.get_vb_count(), c.sent ? 1 : 0) << c.syntax << " " << c.value;
  }
}

TEST(ValueToVbNumbers, TimeTicksAndCounter64TextsReadBack) {
  OneItem t(SNMP_SYNTAX_TIMETICKS);
  for (std::uint32_t ticks : {0u, 12345u, 8640000u, 17280001u, 4294967295u}) {
    Vb vb = t.Write(t.Read(With(TimeTicks(ticks))));
    EXPECT_EQ(vb.get_syntax(), 0x43u);
    EXPECT_EQ(NumberOf(vb), ticks) << t.Value();
  }
  EXPECT_EQ(NumberOf(t.Write("12345")), 0u);  // a bare number is no time text
  OneItem c(SNMP_SYNTAX_COUNTER64);
  for (std::uint64_t v : {0ull, 4294967296ull, 18446744073709551615ull}) {
    Vb vb = c.Write(c.Read(With(Counter64(v))));
    EXPECT_EQ(vb.get_syntax(), 0x46u);
    EXPECT_EQ(NumberOf(vb), v);
  }
  EXPECT_EQ(NumberOf(c.Write("1.5e3")), 1500u);
  EXPECT_EQ(NumberOf(c.Write("-7")), 0u);
}

TEST(ValueToVbOctets, HexReadingRules) {
  OneItem o(SNMP_SYNTAX_OCTETSTR);
  EXPECT_EQ(OctetsOf(o.Write("1aff")), Octets({0x1A, 0xFF}));
  EXPECT_EQ(OctetsOf(o.Write("1A FF")), Octets({0x1A, 0xFF}));
  EXPECT_EQ(OctetsOf(o.Write("abc")), Octets({0x0A, 0xBC}));
  EXPECT_EQ(OctetsOf(o.Write("g1")), Octets({0x01}));  // a bad digit counts as 0
  EXPECT_EQ(OctetsOf(o.Write(" ")), OctetStr());
  Vb empty = o.Write("");
  EXPECT_EQ(empty.get_syntax(), 0x04u);
  EXPECT_TRUE(OctetsOf(empty).empty());
  for (std::uint32_t syntax :
       {SNMP_SYNTAX_BITSTR, SNMP_SYNTAX_OPAQUE, SNMP_SYNTAX_MACADDRESS, SNMP_SYNTAX_IPV6ADDRESS}) {
    Vb vb = OneItem(syntax).Write("001AFF");
    EXPECT_EQ(vb.get_syntax(), 0x04u) << syntax;  // sent as OCTET STRING
    EXPECT_EQ(OctetsOf(vb), Octets({0x00, 0x1A, 0xFF}));
  }
}

TEST(ValueToVbOctets, StringsDatesAndDoubles) {
  EXPECT_EQ(OctetsOf(OneItem(SNMP_SYNTAX_DISPLAYSTR).Write("ab c")), OctetStr("ab c"));
  Vb dt = OneItem(SNMP_SYNTAX_DATETIME).Write("2009-3-5,14:7:9.0,+8:0");
  EXPECT_EQ(dt.get_syntax(), 0x04u);
  EXPECT_EQ(OctetsOf(dt), Octets({0x07, 0xD9, 3, 5, 14, 7, 9, 0, '+', 8, 0}));
  // A date read without its zone goes back so while its text is the one
  // read; any other text goes out whole.
  OneItem clock(SNMP_SYNTAX_DATETIME);
  clock.Read(With(Octets({0x07, 0xD9, 2, 19, 10, 30, 0, 0})));
  EXPECT_EQ(OctetsOf(clock.Write("2009-2-19,10:30:0.0")),
            Octets({0x07, 0xD9, 2, 19, 10, 30, 0, 0}));
  EXPECT_EQ(OctetsOf(clock.Write("2009-2-19,10:30:1.0")),
            Octets({0x07, 0xD9, 2, 19, 10, 30, 1, 0, '+', 0, 0}));
  Vb dbl = OneItem(SNMP_SYNTAX_DOUBLE).Write("2.5");
  EXPECT_EQ(dbl.get_syntax(), 0x04u);
  EXPECT_EQ(OctetsOf(dbl), Octets({0, 0, 0, 0, 0, 0, 0x04, 0x40}));
}

TEST(NumberTexts, KeepTheDecimalPointUnderADecimalCommaLocale) {
  vntest::ScopedDecimalCommaLocale german;
  ASSERT_TRUE(german.Active()) << german.Error();
  OneItem dbl(SNMP_SYNTAX_DOUBLE);
  EXPECT_EQ(dbl.Read(With(Octets({0, 0, 0, 0, 0, 0, 0x04, 0x40}))), "2.5");
  EXPECT_EQ(OctetsOf(dbl.Write("2.5")), Octets({0, 0, 0, 0, 0, 0, 0x04, 0x40}));
  EXPECT_DOUBLE_EQ(EvaluateNumber("2.5*2"), 5);
  EXPECT_DOUBLE_EQ(EvaluateNumber("(1.5+1)/0.5"), 5);
}

TEST(ValueToVbOther, IdentifiersAddressesAndNull) {
  Vb oid = OneItem(SNMP_SYNTAX_OBJECTID).Write("1.3.6.1.4.1.171");
  EXPECT_EQ(oid.get_syntax(), 0x06u);
  EXPECT_EQ(dynamic_cast<const Oid*>(oid.get_value_ptr())->get_printable(), "1.3.6.1.4.1.171");
  EXPECT_EQ(OneItem(SNMP_SYNTAX_OBJECTID).WriteError("1.3.x"), VNERR_BAD_SYNTAX);
  EXPECT_EQ(OneItem(SNMP_SYNTAX_OBJECTID).WriteError(""), VNERR_BAD_SYNTAX);
  Vb ip = OneItem(SNMP_SYNTAX_IPADDRESS).Write("192.168.0.1");
  EXPECT_EQ(ip.get_syntax(), 0x40u);
  EXPECT_EQ(dynamic_cast<const IpAddress*>(ip.get_value_ptr())->octets(),
            (std::array<std::uint8_t, 4>{192, 168, 0, 1}));
  for (const char* bad : {"1.2.3", "1.2.3.256", "router", ""})
    EXPECT_EQ(OneItem(SNMP_SYNTAX_IPADDRESS).WriteError(bad), VNERR_BAD_SYNTAX) << bad;
  // "(NULL)" is sent as a null value in every syntax, never as its characters.
  for (std::uint32_t syntax : kItemSyntaxes) {
    Vb vb = OneItem(syntax).Write("(NULL)");
    EXPECT_TRUE(vb.is_null_or_exception()) << syntax;
    EXPECT_EQ(vb.get_syntax(), 0x05u) << syntax;
  }
  EXPECT_EQ(OneItem(SNMP_SYNTAX_NULL).Write("5").get_syntax(), 0x05u);
}

TEST(ValueToVbOther, EveryItemSyntaxRoundTrips) {
  struct Case {
    std::uint32_t syntax;
    const char* text;
  };
  const Case cases[] = {
      {SNMP_SYNTAX_BOOLEAN, "true"},
      {SNMP_SYNTAX_BOOLEAN, "false"},
      {SNMP_SYNTAX_INTEGER, "-2147483648"},
      {SNMP_SYNTAX_BITSTR, "80000001"},
      {SNMP_SYNTAX_OCTETSTR, "001AFF"},
      {SNMP_SYNTAX_OBJECTID, "1.3.6.1.2.1.1.1.0"},
      {SNMP_SYNTAX_IPADDRESS, "10.90.90.90"},
      {SNMP_SYNTAX_COUNTER, "4294967295"},
      {SNMP_SYNTAX_GUAGE, "100"},
      {SNMP_SYNTAX_TIMETICKS, "3 days, 4:05:06.07"},
      {SNMP_SYNTAX_OPAQUE, "9F780401"},
      {SNMP_SYNTAX_NSAPADDR, "1.2.3.4"},
      {SNMP_SYNTAX_COUNTER64, "18446744073709551615"},
      {SNMP_SYNTAX_UINTEGER, "0"},
      {SNMP_SYNTAX_DOUBLE, "-0.125"},
      {SNMP_SYNTAX_MACADDRESS, "00AABBCCDDEE"},
      {SNMP_SYNTAX_DATETIME, "2009-3-5,14:7:9.0,-5:30"},
      {SNMP_SYNTAX_DISPLAYSTR, "Port 1 (uplink)"},
      {SNMP_SYNTAX_IPV6ADDRESS, "FE800000000000000211223344556677"},
  };
  for (const Case& c : cases) {
    OneItem item(c.syntax);
    Vb vb = item.Write(c.text);
    item.Value() = "";
    EXPECT_EQ(item.Read(vb), c.text) << c.syntax;
  }
}

TEST(CalendarValues, DoublesOfDaysShownWithTheTwelveHourClock) {
  // 2010-01-01 18:00 is day 40179.75 since 1899-12-30.
  OneItem cal(SNMP_SYNTAX_BCDATETIME);
  const OctetStr octets = Octets({0, 0, 0, 0, 0x78, 0x9E, 0xE3, 0x40});
  EXPECT_EQ(cal.Read(With(octets)), "2010/01/01 06:00:00 pm");
  Vb vb = cal.Write("2010/01/01 06:00:00 pm");
  EXPECT_EQ(vb.get_syntax(), 0x04u);
  EXPECT_EQ(OctetsOf(vb), octets);
  EXPECT_THROW(cal.Write("not a date"), Exception);

  // As an index: the low word first, then the high word.
  cal.Value() = "2010/01/01 06:00:00 pm";
  AnsiString index;
  cal.request.ValueToIndex(0, index);
  EXPECT_EQ(index, "0.1088659064");
  cal.Value() = "";
  EXPECT_EQ(cal.request.IndexToValue(0, "0.1088659064.5"), "5");
  EXPECT_EQ(cal.Value(), "2010/01/01 06:00:00 pm");

  // As an operand: the day number; as a derived result: the calendar text.
  EXPECT_EQ(cal.request.ExpandItemReferences("$0", false, '$'), "40179.75");
  EXPECT_EQ(VnBytesToValue(VnValueToBytes("2010/01/01 06:00:00 pm", SNMP_SYNTAX_BCDATETIME),
                           SNMP_SYNTAX_BCDATETIME),
            "2010/01/01 06:00:00 pm");
}
