// Number texts keep a decimal point under a locale with a decimal comma.
#include <gtest/gtest.h>

#include "platform/Exceptions.h"
#include "platform/NumberText.h"
#include "platform/SysUtils.h"
#include "support/DecimalCommaLocale.h"

TEST(NumberTexts, IgnoreADecimalCommaLocale) {
  vntest::ScopedDecimalCommaLocale german;
  ASSERT_TRUE(german.Active()) << german.Error();
  EXPECT_EQ(FloatToStr(2.5), "2.5");
  EXPECT_EQ(FloatToStr(4094), "4094");
  EXPECT_EQ(FloatToStr(-1.25e-7), "-1.25E-7");
  EXPECT_EQ(AnsiString(0.5), "0.5");
  EXPECT_DOUBLE_EQ(StrToFloat(" 2.5 "), 2.5);
  EXPECT_DOUBLE_EQ(AnsiString("-1.5e3").ToDouble(), -1500);
  EXPECT_THROW(StrToFloat("2,5"), EConvertError);
  const char* end = nullptr;
  const char* text = "  3.75,1";
  EXPECT_DOUBLE_EQ(LeadingFloat(text, &end), 3.75);
  EXPECT_EQ(end, text + 6);
  EXPECT_EQ(LeadingLongFloat("18446744073709551615.5"), 18446744073709551615.5L);
}
