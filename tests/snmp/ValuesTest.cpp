// Value classes, bindings and PDUs: the text forms and typed access the
// value conversions rely on.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "snmp/SnmpLib.h"

namespace {

OctetStr Bytes(std::initializer_list<unsigned char> b) {
  return OctetStr(std::vector<unsigned char>(b));
}

TEST(OctetStrText, HexIsTwoUpperCaseDigitsPerOctet) {
  EXPECT_EQ(Bytes({0x00, 0x1A, 0xFF}).get_printable_hex(), "001AFF");
  EXPECT_EQ(OctetStr().get_printable_hex(), "");
}

TEST(OctetStrText, HexReadingDropsBlanksAndTakesAnOddFirstDigitAlone) {
  EXPECT_EQ(OctetStr::from_hex_string("1aff"), Bytes({0x1A, 0xFF}));
  EXPECT_EQ(OctetStr::from_hex_string("1A FF"), Bytes({0x1A, 0xFF}));
  EXPECT_EQ(OctetStr::from_hex_string("abc"), Bytes({0x0A, 0xBC}));
  EXPECT_EQ(OctetStr::from_hex_string("G1zz"), Bytes({0x01, 0x00}));  // bad digits count as 0
  EXPECT_EQ(OctetStr::from_hex_string(""), OctetStr());
  EXPECT_EQ(OctetStr::from_hex_string(OctetStr("0 0 1")), Bytes({0x00, 0x01}));
}

TEST(OctetStrText, PrintableStopsAtTheFirstZeroOctet) {
  EXPECT_EQ(Bytes({'a', 'b', 0, 'c'}).get_printable(), "ab");
  EXPECT_EQ(OctetStr("switch-1").get_printable(), "switch-1");
  EXPECT_EQ(Bytes({'a', 'b', 0, 'c'}).to_string(), std::string("ab\0c", 4));
}

TEST(OctetStrText, AppendingAndIndexing) {
  OctetStr s("ab");
  s += 'c';
  s += OctetStr("de");
  s += s;
  EXPECT_EQ(s.get_printable(), "abcdeabcde");
  s[0] = 'X';
  EXPECT_EQ(s[0], 'X');
  EXPECT_EQ(s.len(), 10u);
  OctetStr null_text(static_cast<const char*>(nullptr));
  EXPECT_TRUE(null_text.empty());
}

TEST(OidText, DottedDecimalIsReadAndPrinted) {
  Oid oid("1.3.6.1.2.1.1.5.0");
  ASSERT_TRUE(oid.valid());
  EXPECT_EQ(oid.len(), 9u);
  EXPECT_EQ(oid[7], 5u);
  EXPECT_EQ(oid.get_printable(), "1.3.6.1.2.1.1.5.0");
  EXPECT_EQ(Oid(".1.3.6").get_printable(), "1.3.6");
  EXPECT_EQ(Oid("4294967295").get_printable(), "4294967295");
  Oid empty("");
  EXPECT_TRUE(empty.valid());
  EXPECT_EQ(empty.len(), 0u);
}

TEST(OidText, MalformedTextGivesAnInvalidEmptyOid) {
  for (const char* bad : {"1..3", "1.3.", ".", "a.b", "1.4294967296", "1.-3", " 1.3", "1.3 "}) {
    Oid oid(bad);
    EXPECT_FALSE(oid.valid()) << bad;
    EXPECT_EQ(oid.len(), 0u) << bad;
  }
  std::string longest = "1";
  for (int i = 1; i < 128; ++i) longest += ".1";
  EXPECT_TRUE(Oid(longest).valid());
  EXPECT_FALSE(Oid(longest + ".1").valid());
}

// Dotted decimal read one digit at a time, as the rules state it: an
// optional leading dot, then numbers below 2^32 separated by single dots, at
// most 128 of them; anything else is not valid (and `out` then holds what
// was read before the fault).
bool ReadDottedByDigits(const std::string& text, std::vector<std::uint32_t>& out) {
  out.clear();
  std::size_t i = text.empty() || text[0] != '.' ? 0 : 1;
  if (text.empty()) return true;
  if (i == text.size()) return false;
  while (true) {
    std::uint64_t n = 0;
    std::size_t digits = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9' && n <= 0xFFFFFFFFu; ++i, ++digits)
      n = n * 10 + static_cast<std::uint64_t>(text[i] - '0');
    if (digits == 0 || n > 0xFFFFFFFFu || out.size() == Oid::kMaxLength) return false;
    out.push_back(static_cast<std::uint32_t>(n));
    if (i == text.size()) return true;
    if (text[i] != '.' || i + 1 == text.size()) return false;
    ++i;
  }
}

std::string PrintDottedByNumbers(const std::vector<std::uint32_t>& subids) {
  std::string out;
  for (std::size_t i = 0; i < subids.size(); ++i) out += (i ? "." : "") + std::to_string(subids[i]);
  return out;
}

// Sub-identifiers at the edges of every decimal length, and random ones.
std::uint32_t SomeSubid(std::mt19937& random) {
  static const std::uint32_t edges[] = {0,         1,          9,           10,         99,
                                        100,       65535,      65536,       99999999,   100000000,
                                        999999999, 1000000000, 4294967294u, 4294967295u};
  switch (random() % 3) {
    case 0:
      return edges[random() % std::size(edges)];
    case 1:
      return static_cast<std::uint32_t>(random() % 1000);
    default:
      return static_cast<std::uint32_t>(random()) >> (random() % 32);
  }
}

TEST(OidText, PrintingMatchesNumberByNumberPrinting) {
  std::mt19937 random(1717);
  std::string reused = "what the last round left";
  for (int round = 0; round < 20000; ++round) {
    std::vector<std::uint32_t> subids(random() % 140);  // past the longest valid Oid too
    for (auto& s : subids) s = SomeSubid(random);
    Oid oid(subids);
    ASSERT_EQ(oid.get_printable(), PrintDottedByNumbers(subids));
    oid.write_printable(reused);
    ASSERT_EQ(reused, PrintDottedByNumbers(subids));
    // What is printed reads back as it was.
    if (oid.valid()) {
      ASSERT_EQ(Oid(oid.get_printable()), oid);
    }
  }
}

TEST(OidText, ReadingMatchesDigitByDigitReading) {
  std::vector<std::string> texts = {
      "",           ".",           "..", ".1", "1.", "1..2", "01.002",      "4294967295",
      "4294967296", "99999999999", "+1", "-1", " 1", "1 ",   "1.3.6.1.2.1", ".1.3.6.1"};
  std::string longest = "1";
  for (int i = 1; i < 128; ++i) longest += ".4294967295";
  texts.push_back(longest);
  texts.push_back(longest + ".0");
  std::mt19937 random(2024);
  const char alphabet[] = "0123456789..9-x";
  for (int round = 0; round < 20000; ++round) {
    std::string text;
    if (round % 2 == 0) {  // well-formed, now and then with an odd character
      std::vector<std::uint32_t> subids(1 + random() % 20);
      for (auto& s : subids) s = SomeSubid(random);
      text = (random() % 4 == 0 ? "." : "") + PrintDottedByNumbers(subids);
      if (random() % 5 == 0) text[random() % text.size()] = alphabet[random() % 15];
    } else {  // anything of digits and dots
      for (std::size_t n = random() % 30; n > 0; --n) text += alphabet[random() % 15];
    }
    texts.push_back(text);
  }
  for (const std::string& text : texts) {
    std::vector<std::uint32_t> expected;
    const bool valid = ReadDottedByDigits(text, expected);
    if (!valid) expected.clear();  // an invalid Oid is empty
    Oid oid(text);
    ASSERT_EQ(oid.valid(), valid) << text;
    ASSERT_EQ(oid.subids(), expected) << text;
  }
}

// Two texts compare as the Oids read from them: close pairs (a shared
// start, then numbers of other lengths, leading zeros, a leading dot, odd
// characters, numbers at the edge of 2^32, more numbers than an Oid takes).
TEST(OidText, ComparingTextsMatchesComparingTheirOids) {
  std::vector<std::pair<std::string, std::string>> pairs = {{"", ""},
                                                            {"", "0"},
                                                            {"1.3", "1.3.1"},
                                                            {"1.3.9", "1.3.10"},
                                                            {"1.30", "1.3"},
                                                            {"1.3.5", "1.35"},
                                                            {"12.5", "123"},
                                                            {"1.03", "1.3"},
                                                            {"001", "2"},
                                                            {"00", "0"},
                                                            {"010.5", "9.5"},
                                                            {"1.001", "1.2"},
                                                            {".1.3", "1.3"},
                                                            {"1.3", "1.3."},
                                                            {"1..3", "1.3"},
                                                            {"1.x", ""},
                                                            {"4294967295", "4294967296"},
                                                            {"4294967295.1", "4294967295"}};
  std::string longest = "1";
  for (int i = 1; i < 128; ++i) longest += ".2";
  pairs.emplace_back(longest, longest + ".2");
  pairs.emplace_back(longest + ".1", longest + ".2");
  std::mt19937 random(1718);
  const char alphabet[] = "0123456789..9-x";
  for (int round = 0; round < 20000; ++round) {
    std::vector<std::uint32_t> subids(random() % 16);
    for (auto& s : subids) s = SomeSubid(random);
    std::string a = PrintDottedByNumbers(subids);
    std::string b = a;
    // The second goes on, stops short or turns off somewhere.
    const std::size_t keep = b.empty() ? 0 : random() % (b.size() + 1);
    b.resize(keep);
    if (random() % 2)
      b += (b.empty() || b.back() == '.' ? "" : ".") + std::to_string(SomeSubid(random));
    for (std::string* t : {&a, &b}) {
      if (random() % 8 == 0 && !t->empty()) (*t)[random() % t->size()] = alphabet[random() % 15];
      if (random() % 16 == 0) t->insert(0, random() % 2 ? "." : "0");
    }
    pairs.emplace_back(a, b);
  }
  for (const auto& [a, b] : pairs) {
    std::vector<std::uint32_t> x, y;
    if (!ReadDottedByDigits(a, x)) x.clear();
    if (!ReadDottedByDigits(b, y)) y.clear();
    ASSERT_EQ(Oid::compare_dotted(a, b), x <=> y) << a << " | " << b;
    ASSERT_EQ(Oid::compare_dotted(b, a), y <=> x) << b << " | " << a;
  }
}

TEST(OidText, AppendCompareAndTrim) {
  Oid oid("1.3.6");
  oid += 1u;
  oid += Oid("2.1");
  oid += "0";
  EXPECT_EQ(oid.get_printable(), "1.3.6.1.2.1.0");
  EXPECT_TRUE(oid.starts_with(Oid("1.3.6.1")));
  EXPECT_FALSE(Oid("1.3").starts_with(oid));
  EXPECT_EQ(oid.nCompare(3, Oid("1.3.6.9")), 0);
  EXPECT_LT(oid.nCompare(4, Oid("1.3.6.9")), 0);
  EXPECT_LT(Oid("1.3.6.1.2.1.2.2.1.1"), Oid("1.3.6.1.2.1.2.2.1.10"));
  oid.trim(2);
  EXPECT_EQ(oid, Oid("1.3.6.1.2"));
  oid.trim(99);
  EXPECT_EQ(oid.len(), 0u);
  Oid bad("x");
  Oid sum("1.3");
  sum += bad;
  EXPECT_FALSE(sum.valid());
}

TEST(TimeTicksText, PrintsDaysHoursMinutesSecondsAndHundredths) {
  EXPECT_EQ(TimeTicks(12345).get_printable(), "0:02:03.45");
  EXPECT_EQ(TimeTicks(8640000).get_printable(), "1 day 0:00:00.00");
  EXPECT_EQ(TimeTicks(17280001).get_printable(), "2 days, 0:00:00.01");
  EXPECT_EQ(TimeTicks(0).get_printable(), "0:00:00.00");
  EXPECT_EQ(TimeTicks(4294967295u).get_printable(), "497 days, 2:27:52.95");
}

TEST(TimeTicksText, ReadsItsOwnFormsBack) {
  for (std::uint32_t t : {0u, 12345u, 8640000u, 17280001u, 4294967295u, 359999u}) {
    EXPECT_EQ(TimeTicks::parse(TimeTicks::format(t)), t) << t;
  }
  TimeTicks ticks;
  ticks = std::string("1 day 1:00:00.00");
  EXPECT_EQ(ticks.value(), 8640000u + 360000u);
}

TEST(TimeTicksText, LooseForms) {
  EXPECT_EQ(TimeTicks::parse("12345"), 0u);  // a bare number reads as 0
  EXPECT_EQ(TimeTicks::parse("2 days"), 17280000u);
  EXPECT_EQ(TimeTicks::parse("3:04.5"), 3u * 6000 + 4 * 100 + 50);
  EXPECT_EQ(TimeTicks::parse("0:00:01.00"), 100u);
  EXPECT_EQ(TimeTicks::parse("garbage"), 0u);
  EXPECT_EQ(TimeTicks::parse(""), 0u);
  // Huge counts wrap like the 32-bit counter, without overflow.
  EXPECT_EQ(TimeTicks::parse("497 days, 2:27:52.96"), 0u);
}

TEST(Counter64Text, DecimalAndHalves) {
  Counter64 c(std::numeric_limits<std::uint64_t>::max());
  EXPECT_EQ(c.get_printable(), "18446744073709551615");
  Counter64 two32 = Counter64::from_long_double(4294967296.0L);
  EXPECT_EQ(two32.high(), 1u);
  EXPECT_EQ(two32.low(), 0u);
  EXPECT_EQ(Counter64(7, 9).value(), (7ULL << 32) | 9);
  Counter64 d(0);
  d.set_high(1);
  d.set_low(2);
  EXPECT_EQ(d.get_printable(), "4294967298");
}

TEST(Counter64Text, FloatingPointIsTruncatedAndClamped) {
  EXPECT_EQ(Counter64::from_long_double(12.9L).value(), 12u);
  EXPECT_EQ(Counter64::from_long_double(-5.0L).value(), 0u);
  EXPECT_EQ(Counter64::from_long_double(NAN).value(), 0u);
  EXPECT_EQ(Counter64::from_long_double(1e30L).value(), std::numeric_limits<std::uint64_t>::max());
}

TEST(Addresses, IpAddressIsAStrictDottedQuad) {
  IpAddress ip("192.168.0.1");
  ASSERT_TRUE(ip.valid());
  EXPECT_EQ(ip.get_printable(), "192.168.0.1");
  EXPECT_EQ(ip[0], 192);
  // Every octet in its shortest decimal form.
  for (const char* text : {"0.0.0.0", "255.255.255.255", "10.100.9.99", "1.20.200.109"})
    EXPECT_EQ(IpAddress(text).get_printable(), text);
  for (const char* bad :
       {"256.1.1.1", "1.2.3", "1.2.3.4.5", "a.b.c.d", "", "1.2.3.4 ", "localhost"}) {
    EXPECT_FALSE(IpAddress(bad).valid()) << bad;
    EXPECT_EQ(IpAddress(bad).get_printable(), "") << bad;
  }
}

TEST(Addresses, UdpAddressTakesAPortAndResolvesNames) {
  UdpAddress a("10.1.2.3/1161");
  ASSERT_TRUE(a.valid());
  EXPECT_EQ(a.get_port(), 1161);
  EXPECT_EQ(a.get_printable(), "10.1.2.3/1161");
  UdpAddress b("127.0.0.1");
  b.set_port(161);
  EXPECT_EQ(GenAddress(b).get_printable(), "127.0.0.1/161");
  UdpAddress local("localhost");
  ASSERT_TRUE(local.valid());
  EXPECT_EQ(IpAddress(local).get_printable(), "127.0.0.1");
  EXPECT_FALSE(UdpAddress("10.1.2.3/99999").valid());
  EXPECT_FALSE(UdpAddress("").valid());
}

TEST(Addresses, AnUnknownNameFailsWithinTheTimeLimit) {
  auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(UdpAddress("no-such-host.invalid").valid());
  EXPECT_FALSE(UdpAddress("no-such-host.invalid").valid());  // from the cache
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(8));
}

TEST(Bindings, TheValueDecidesTheTag) {
  Vb vb(Oid("1.3.6.1.2.1.1.6.0"));
  EXPECT_EQ(vb.get_syntax(), sNMP_SYNTAX_NULL);
  vb.set_syntax(sNMP_SYNTAX_CNTR32);
  vb.set_value(-5);
  EXPECT_EQ(vb.get_syntax(), sNMP_SYNTAX_INT32);
  vb.set_value(7u);
  EXPECT_EQ(vb.get_syntax(), sNMP_SYNTAX_GAUGE32);
  vb.set_value(Counter32(4294967295u));
  EXPECT_EQ(vb.get_syntax(), sNMP_SYNTAX_CNTR32);
  vb.set_value("abc");
  EXPECT_EQ(vb.get_syntax(), sNMP_SYNTAX_OCTETS);
  vb.set_value(TimeTicks(8640001));
  EXPECT_EQ(vb.get_printable_value(), "1 day 0:00:00.01");
  vb.set_null();
  EXPECT_EQ(vb.get_syntax(), sNMP_SYNTAX_NULL);
}

TEST(Bindings, SetSyntaxGivesADefaultOfTheWireType) {
  Vb vb;
  vb.set_syntax(0x49);  // a program code for MAC addresses: octets on the wire
  EXPECT_EQ(vb.get_syntax(), sNMP_SYNTAX_OCTETS);
  vb.set_syntax(3);
  EXPECT_EQ(vb.get_syntax(), sNMP_SYNTAX_OCTETS);
  vb.set_syntax(1);
  EXPECT_EQ(vb.get_syntax(), sNMP_SYNTAX_INT32);
  vb.set_syntax(sNMP_SYNTAX_NOSUCHINSTANCE);
  EXPECT_TRUE(vb.is_exception());
  EXPECT_EQ(vb.get_printable_value(), "");
  vb.set_syntax(sNMP_SYNTAX_IPADDR);
  EXPECT_EQ(vb.get_printable_value(), "0.0.0.0");
}

TEST(Bindings, TypedReadsFailOnAnotherKind) {
  Vb vb;
  vb.set_value(OctetStr("x"));
  SnmpInt32 i;
  EXPECT_EQ(vb.get_value(i), SNMP_CLASS_INVALID);
  int n = 42;
  EXPECT_EQ(vb.get_value(n), SNMP_CLASS_INVALID);
  EXPECT_EQ(n, 42);
  OctetStr s;
  EXPECT_EQ(vb.get_value(s), SNMP_CLASS_SUCCESS);
  EXPECT_EQ(s.get_printable(), "x");

  vb.set_value(OpaqueStr(Bytes({0x9F, 0x78})));
  EXPECT_EQ(vb.get_value(s), SNMP_CLASS_SUCCESS);  // octets of an Opaque
  EXPECT_EQ(s.get_printable_hex(), "9F78");

  vb.set_value(TimeTicks(100));
  Counter32 c;
  EXPECT_EQ(vb.get_value(c), SNMP_CLASS_SUCCESS);  // the unsigned family fits
  EXPECT_EQ(c.value(), 100u);
  EXPECT_EQ(c.get_syntax(), sNMP_SYNTAX_CNTR32);
  EXPECT_EQ(vb.get_value(i), SNMP_CLASS_INVALID);
  unsigned long ul = 0;
  EXPECT_EQ(vb.get_value(ul), SNMP_CLASS_SUCCESS);
  EXPECT_EQ(ul, 100u);
  Counter64 c64;
  EXPECT_EQ(vb.get_value(c64), SNMP_CLASS_INVALID);

  vb.set_null();
  EXPECT_EQ(vb.get_value(s), SNMP_CLASS_INVALID);
  EXPECT_EQ(vb.get_printable_value(), "");
}

TEST(Bindings, CopiesAreIndependent) {
  Vb a(Oid("1.3.6.1"));
  a.set_value(OctetStr("one"));
  Vb b = a;
  b.set_value(OctetStr("two"));
  EXPECT_EQ(a.get_printable_value(), "one");
  EXPECT_EQ(b.get_printable_value(), "two");
  EXPECT_EQ(b.get_printable_oid(), "1.3.6.1");
  // A number lives in the binding itself: copies and moves take it along.
  a.set_value(Counter32(5));
  Vb copy = a;
  Vb moved(std::move(copy));
  a.set_value(6);
  b = std::move(moved);
  EXPECT_EQ(b.get_syntax(), sNMP_SYNTAX_CNTR32);
  EXPECT_EQ(b.get_printable_value() + a.get_printable_value(), "56");
}

TEST(Pdus, ContextEngineIdFromText) {
  Pdu pdu;
  pdu.set_context_engine_id("0x80001F88");
  EXPECT_TRUE(pdu.context_engine_id_valid());
  EXPECT_EQ(pdu.get_context_engine_id().get_printable_hex(), "80001F88");
  pdu.set_context_engine_id("VnSNMP");
  EXPECT_EQ(pdu.get_context_engine_id().get_printable(), "VnSNMP");
  for (const char* bad : {"0x123", "0xZZ", "0X1g"}) {
    pdu.set_context_engine_id(bad);
    EXPECT_FALSE(pdu.context_engine_id_valid()) << bad;
  }
  pdu.set_context_engine_id("");
  EXPECT_TRUE(pdu.context_engine_id_valid());
  EXPECT_TRUE(pdu.get_context_engine_id().empty());
}

TEST(Pdus, BindingsByIndex) {
  Pdu pdu;
  pdu += Vb(Oid("1.3.6.1.1"));
  pdu += Vb(Oid("1.3.6.1.2"));
  Vb vb;
  EXPECT_TRUE(pdu.get_vb(vb, 1));
  EXPECT_EQ(vb.get_printable_oid(), "1.3.6.1.2");
  EXPECT_FALSE(pdu.get_vb(vb, 2));
  EXPECT_FALSE(pdu.get_vb(vb, -1));
  EXPECT_TRUE(pdu.delete_vb(0));
  EXPECT_EQ(pdu.get_vb_count(), 1);
  EXPECT_EQ(pdu[0].get_printable_oid(), "1.3.6.1.2");
}

}  // namespace
