#include <gtest/gtest.h>

#include "platform/Exceptions.h"
#include "platform/SysUtils.h"

TEST(AnsiString, OneBasedAccessAndPos) {
  AnsiString s = "abcabc";
  EXPECT_EQ(s[1], 'a');
  EXPECT_EQ(s[6], 'c');
  EXPECT_EQ(s.Pos("ca"), 3);
  EXPECT_EQ(s.Pos("x"), 0);
  EXPECT_EQ(s.Pos(""), 0);
  EXPECT_EQ(s.LastDelimiter("b"), 5);
  EXPECT_STREQ(AnsiString().c_str(), "");
  EXPECT_STREQ(AnsiString(static_cast<const char*>(nullptr)).c_str(), "");
}

TEST(AnsiString, SubStringDeleteInsertClamp) {
  AnsiString s = "abcdef";
  EXPECT_EQ(s.SubString(0, 3), "abc");
  EXPECT_EQ(s.SubString(5, 100), "ef");
  EXPECT_EQ(s.SubString(7, 1), "");
  EXPECT_EQ(s.SubString(2, -1), "");
  AnsiString d = s;
  EXPECT_EQ(d.Delete(5, 10), "abcd");
  EXPECT_EQ(AnsiString(s).Delete(0, 2), "abcdef");
  EXPECT_EQ(AnsiString(s).Delete(7, 2), "abcdef");
  EXPECT_EQ(AnsiString("ac").Insert("b", 2), "abc");
  EXPECT_EQ(AnsiString("ab").Insert("c", 99), "abc");
  EXPECT_EQ(AnsiString("bc").Insert("a", -3), "abc");
}

TEST(AnsiString, BytesRoundTripAndOrdinalOrder) {
  const char raw[] = {'\x00', '\xff', '\x80', 'a'};
  AnsiString s(raw, 4);
  EXPECT_EQ(s.Length(), 4);
  EXPECT_EQ(static_cast<unsigned char>(s[2]), 0xFF);
  EXPECT_LT(AnsiString("a"), AnsiString("\x80"));  // unsigned byte order
  EXPECT_LT(AnsiString("B"), AnsiString("a"));
  EXPECT_EQ(AnsiString("Ab").CompareIC("aB"), 0);
}

TEST(AnsiString, TrimAndCase) {
  EXPECT_EQ(AnsiString(" \t\r\n x y \x01").Trim(), "x y");
  EXPECT_EQ(AnsiString("  x ").TrimLeft(), "x ");
  EXPECT_EQ(AnsiString("  x ").TrimRight(), "  x");
  EXPECT_EQ(AnsiString("aZ\xe4").UpperCase(), "AZ\xe4");
  EXPECT_EQ(AnsiString("aZ\xc4").LowerCase(), "az\xc4");
}

TEST(AnsiString, ToIntAndErrors) {
  EXPECT_EQ(AnsiString("  -12").ToInt(), -12);
  EXPECT_EQ(AnsiString("$1F").ToInt(), 31);
  EXPECT_EQ(AnsiString("0x10").ToInt(), 16);
  EXPECT_EQ(AnsiString("2147483647").ToInt(), 2147483647);
  EXPECT_EQ(AnsiString("-2147483648").ToInt(), -2147483647 - 1);
  EXPECT_EQ(AnsiString("2147483648").ToIntDef(-7), -7);
  EXPECT_EQ(AnsiString("12 ").ToIntDef(-1), -1);
  EXPECT_EQ(AnsiString("").ToIntDef(5), 5);
  try {
    AnsiString("abc").ToInt();
    FAIL() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message, "'abc' is not a valid integer value");
    EXPECT_NE(dynamic_cast<const EConvertError*>(&e), nullptr);
  }
  EXPECT_THROW(StrToFloat("1.5x"), EConvertError);
  EXPECT_THROW(StrToFloat("inf"), EConvertError);
  EXPECT_DOUBLE_EQ(StrToFloat(" 2.5 "), 2.5);
}

TEST(AnsiString, FloatToStrGeneralFormat) {
  EXPECT_EQ(FloatToStr(4094), "4094");
  EXPECT_EQ(FloatToStr(2.5), "2.5");
  EXPECT_EQ(FloatToStr(-0.125), "-0.125");
  EXPECT_EQ(FloatToStr(2.2250738585072e-308), "2.2250738585072E-308");
  EXPECT_EQ(FloatToStr(1e20), "1E20");
  EXPECT_EQ(FloatToStr(123456789012345.0), "123456789012345");
  EXPECT_EQ(FloatToStr(1234567890123456.0), "1.23456789012346E15");
  EXPECT_EQ(FloatToStr(0.00001), "0.00001");
  EXPECT_EQ(FloatToStr(0.000001), "1E-6");
  EXPECT_EQ(FloatToStr(0.1 + 0.2), "0.3");
  EXPECT_EQ(AnsiString(3.0), "3");
}

TEST(AnsiString, SprintfAndConcat) {
  AnsiString s;
  s.sprintf("%d-%s", 7, "x");
  EXPECT_EQ(s, "7-x");
  s.cat_sprintf("%02lu", 5ul);
  EXPECT_EQ(s, "7-x05");
  EXPECT_EQ("a" + AnsiString("b") + 'c' + "d", "abcd");
  EXPECT_EQ(AnsiString(42) + AnsiString(-1) + AnsiString(7u), "42-17");
  EXPECT_TRUE(SameText("VLAN", "vlan"));
  EXPECT_LT(AnsiCompareText("abc", "ABD"), 0);
}
