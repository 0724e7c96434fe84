#include <gtest/gtest.h>

#include <memory>

#include "library/VnOptionList.h"
#include "platform/Exceptions.h"

namespace {

const VnOptionPair kEnabled[] = {{1, "enabled"}, {2, "disabled"}, {0, nullptr}};
// Values out of order, a negative value and a repeated text.
const VnOptionPair kUnordered[] = {
    {30, "high"}, {-1, "none"}, {10, "low"}, {20, "high"}, {0, nullptr}};
const VnOptionPair kAuth[] = {{"1.3.6.1.6.3.10.1.1.1", "None"},
                              {"1.3.6.1.6.3.10.1.1.2", "MD5"},
                              {"1.3.6.1.6.3.10.1.1.3", "SHA"},
                              {nullptr, nullptr}};
const VnOptionPair kPrefix[] = {{"1.3.6", "std"}, {"1.3.6.1.4", "ent"}, {nullptr, nullptr}};

}  // namespace

TEST(OptionList, IntegerLookupsPassUnknownsThrough) {
  VnOptionList list(kEnabled, VnOptionList::Integer, false);
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list.TextOf("2"), "disabled");
  EXPECT_EQ(list.TextOf("3"), "3");
  EXPECT_EQ(list.TextOf("(NULL)"), "(NULL)");
  EXPECT_EQ(list.TextOf("abc"), "abc");
  EXPECT_EQ(list.TextOf(""), "");
  EXPECT_EQ(list.ValueOf("Enabled"), "1");
  EXPECT_EQ(list.ValueOf("DISABLED"), "2");
  EXPECT_EQ(list.ValueOf("on"), "on");
  EXPECT_EQ(list.ValueOf("enable"), "enable");  // whole text only
  EXPECT_EQ(list.IndexOfValue("(NULL)"), -1);
  EXPECT_EQ(list.IndexOfValue("1x"), -1);
  EXPECT_EQ(list.IndexOfValue(" 2"), 1);  // integer reading skips leading blanks
}

TEST(OptionList, UnorderedValuesAndRepeatedTexts) {
  VnOptionList list(kUnordered, 1, false);
  EXPECT_EQ(list.IndexOfValue("10"), 2);
  EXPECT_EQ(list.IndexOfValue("-1"), 1);
  EXPECT_EQ(list.TextOf("20"), "high");
  // The first item with the text wins.
  EXPECT_EQ(list.IndexOfText("high"), 0);
  EXPECT_EQ(list.ValueOf("HIGH"), "30");
  EXPECT_EQ(list.ValueOf("none"), "-1");
}

TEST(OptionList, CaseSensitiveFlag) {
  VnOptionList exact(kEnabled, 1, true);
  EXPECT_EQ(exact.IndexOfText("enabled"), 0);
  EXPECT_EQ(exact.IndexOfText("Enabled"), -1);
  EXPECT_EQ(exact.ValueOf("Enabled"), "Enabled");

  VnOptionList exactOid(kAuth, 2, true);
  EXPECT_EQ(exactOid.TextOf("1.3.6.1.6.3.10.1.1.2"), "MD5");
  EXPECT_EQ(exactOid.ValueOf("md5"), "md5");
  EXPECT_EQ(exactOid.ValueOf("MD5"), "1.3.6.1.6.3.10.1.1.2");
}

TEST(OptionList, StringValues) {
  VnOptionList list(kAuth, VnOptionList::String, false);
  EXPECT_EQ(list.TextOf("1.3.6.1.6.3.10.1.1.3"), "SHA");
  EXPECT_EQ(list.ValueOf("md5"), "1.3.6.1.6.3.10.1.1.2");
  // Whole values only: neither a prefix nor a longer OID matches.
  EXPECT_EQ(list.TextOf("1.3.6.1.6.3.10.1.1"), "1.3.6.1.6.3.10.1.1");
  EXPECT_EQ(list.TextOf("1.3.6.1.6.3.10.1.1.2.0"), "1.3.6.1.6.3.10.1.1.2.0");
  EXPECT_EQ(list.IndexOfValue("(NULL)"), -1);
  EXPECT_EQ(list.Item(1).StrValue, "1.3.6.1.6.3.10.1.1.2");
  EXPECT_EQ(list.Item(1).Text, "MD5");
}

TEST(OptionList, PrefixValues) {
  VnOptionList list(kPrefix, VnOptionList::Prefix, false);
  EXPECT_EQ(list.TextOf("1.3.6.1"), "std.1");
  EXPECT_EQ(list.ValueOf("std.1"), "1.3.6.1");
  EXPECT_EQ(list.ValueOf("STD.1"), "1.3.6.1");  // case ignored, the rest kept as typed
  EXPECT_EQ(list.TextOf("1.3.6"), "std");
  // A text shorter than the prefix never matches.
  EXPECT_EQ(list.IndexOfValue("1.3"), -1);
  EXPECT_EQ(list.TextOf("1.3"), "1.3");
  EXPECT_EQ(list.IndexOfText("st"), -1);
  // The first prefix in list order wins, even when a later one is longer.
  EXPECT_EQ(list.TextOf("1.3.6.1.4.1"), "std.1.4.1");

  VnOptionList exact(kPrefix, VnOptionList::Prefix, true);
  EXPECT_EQ(exact.ValueOf("STD.1"), "STD.1");
  EXPECT_EQ(exact.ValueOf("std.1"), "1.3.6.1");
}

TEST(OptionList, EmptyListsAndAdd) {
  VnOptionList fromNull(nullptr, 1, false);
  EXPECT_EQ(fromNull.Count(), 0);
  EXPECT_EQ(fromNull.IndexOfText("x"), -1);
  EXPECT_EQ(fromNull.IndexOfValue("1"), -1);
  EXPECT_EQ(fromNull.TextOf("1"), "1");

  const VnOptionPair onlyEnd[] = {{5, nullptr}};
  VnOptionList empty(onlyEnd, 1, false);
  EXPECT_EQ(empty.Count(), 0);
  EXPECT_EQ(VnOptionList::CountPairs(onlyEnd), 0);
  EXPECT_EQ(VnOptionList::CountPairs(nullptr), 0);
  EXPECT_EQ(VnOptionList::CountPairs(kUnordered), 4);

  empty.Add(kEnabled);
  empty.Add(kUnordered);
  ASSERT_EQ(empty.Count(), 6);
  EXPECT_EQ(empty.Item(2).Text, "high");
  EXPECT_EQ(empty.TextOf("10"), "low");
  EXPECT_THROW(empty.Item(6), EListError);
  EXPECT_THROW(empty.Item(-1), EListError);
  empty.Clear();
  EXPECT_EQ(empty.Count(), 0);
  EXPECT_EQ(empty.TextOf("1"), "1");
}

TEST(OptionList, CopiesOutliveThePairs) {
  std::unique_ptr<VnOptionList> list;
  {
    char value[] = "1.2.3";
    char text[] = "abc";
    const VnOptionPair pairs[] = {{value, text}, {nullptr, nullptr}};
    list = std::make_unique<VnOptionList>(pairs, 2, false);
    value[0] = text[0] = 'x';
  }
  EXPECT_EQ(list->ValueOf("abc"), "1.2.3");
}

TEST(OptionList, RejectsUnknownKind) {
  EXPECT_THROW(VnOptionList(kEnabled, 0, false), EInvalidOperation);
  EXPECT_THROW(VnOptionList(kEnabled, 4, false), EInvalidOperation);
}
