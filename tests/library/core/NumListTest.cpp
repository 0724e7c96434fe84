#include <gtest/gtest.h>

#include <vector>

#include "library/VnNumList.h"
#include "platform/Exceptions.h"

namespace {

template <typename T>
std::vector<T> Parsed(const char* text, char delimiter) {
  VnNumList<T> list;
  list.Delimiter = delimiter;
  list.Parse(text);
  return std::vector<T>(list.Items(), list.Items() + list.Count());
}

using Ints = std::vector<int>;
using Uints = std::vector<unsigned int>;

TEST(VnNumList, DelimitedWholeNumbers) {
  VnNumList<int> list;
  EXPECT_EQ(list.Delimiter, '.');
  list.Parse("10.0.0.1");
  EXPECT_EQ(std::vector<int>(list.Items(), list.Items() + list.Count()), (Ints{10, 0, 0, 1}));

  EXPECT_EQ(Parsed<int>("1,3,7", ','), (Ints{1, 3, 7}));
  EXPECT_EQ(Parsed<int>("5", ','), (Ints{5}));
  EXPECT_EQ(Parsed<int>("1,", ','), (Ints{1, 0}));
  EXPECT_EQ(Parsed<int>("1,,3", ','), (Ints{1, 0, 3}));
  EXPECT_EQ(Parsed<int>(",", ','), (Ints{0, 0}));
  EXPECT_EQ(Parsed<unsigned int>("4094-1", '-'), (Uints{4094, 1}));
}

TEST(VnNumList, EmptyAndNullTexts) {
  VnNumList<int> list;
  list.Delimiter = ',';
  list.Parse("1,2");
  list.Parse("");
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.Items(), nullptr);
  list.Parse(nullptr);
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.CountItems(nullptr), 0);
  EXPECT_EQ(list.CountItems(""), 0);
  EXPECT_EQ(list.CountItems("a,b,,"), 4);
}

TEST(VnNumList, FractionsRoundDigitByDigit) {
  EXPECT_EQ(Parsed<int>("2.4", ','), (Ints{2}));
  EXPECT_EQ(Parsed<int>("2.5", ','), (Ints{3}));
  EXPECT_EQ(Parsed<int>("3.5", ','), (Ints{4}));
  EXPECT_EQ(Parsed<int>("2.45", ','), (Ints{2}));  // 2.4 is already 2 before the 5
  EXPECT_EQ(Parsed<int>("2.96", ','), (Ints{3}));
  EXPECT_EQ(Parsed<unsigned int>("1.5,7", ','), (Uints{2, 7}));
}

TEST(VnNumList, CharactersAreNotChecked) {
  EXPECT_EQ(Parsed<int>("1a", ','), (Ints{10 + ('a' - '0')}));
  EXPECT_EQ(Parsed<int>(" 1", ','), (Ints{(' ' - '0') * 10 + 1}));
  EXPECT_EQ(Parsed<int>("-1", ','), (Ints{('-' - '0') * 10 + 1}));
  EXPECT_EQ(Parsed<unsigned int>("-", ','), (Uints{static_cast<unsigned int>('-' - '0')}));
  const char high[] = {'\xFF', 0};
  EXPECT_EQ(Parsed<int>(high, ','), (Ints{-1 - '0'}));
}

TEST(VnNumList, WrapsIn32Bits) {
  EXPECT_EQ(Parsed<unsigned int>("4294967295", ','), (Uints{4294967295u}));
  EXPECT_EQ(Parsed<unsigned int>("4294967296", ','), (Uints{0u}));
  EXPECT_EQ(Parsed<int>("2147483648", ','), (Ints{-2147483647 - 1}));
  EXPECT_EQ(Parsed<unsigned int>("4294967295.9", ','), (Uints{0u}));
  EXPECT_EQ(Parsed<int>("99999999999999999999", ','), (Ints{1661992959}));
}

TEST(VnNumList, InRangeIsUnsigned) {
  VnNumList<unsigned int> list;
  list.Delimiter = ',';
  EXPECT_TRUE(list.InRange(1, 4094));  // empty
  list.Parse("1,4094");
  EXPECT_TRUE(list.InRange(1, 4094));
  list.Parse("0,5");
  EXPECT_FALSE(list.InRange(1, 4094));
  list.Parse("4095");
  EXPECT_FALSE(list.InRange(1, 4094));
  list.Parse("-1");  // a sign is a character like any other
  EXPECT_FALSE(list.InRange(0, 4094));
}

TEST(VnNumList, IndexOutOfRangeThrows) {
  VnNumList<int> list;
  list.Delimiter = ',';
  list.Parse("7,8");
  EXPECT_EQ(list[1], 8);
  EXPECT_THROW(list[2], EListError);
  EXPECT_THROW(list[-1], EListError);
}

}  // namespace
