#include <gtest/gtest.h>

#include <memory>

#include "library/VnOptionList.h"
#include "library/VnSNMPNames.h"
#include "library/VnSNMPVarList.h"
#include "platform/Exceptions.h"

namespace {

const VnOptionPair kStatusPairs[] = {{1, "enabled"}, {2, "disabled"}, {0, nullptr}};
VnOptionList g_status(kStatusPairs);

const VnSNMPVarDesc kTable[] = {
    {"1.3.6.1.2.1.2.2.1.1", "Index", SNMP_SYNTAX_INTEGER, SNMP_ACCESS_NOTACCESS, nullptr, nullptr,
     nullptr, nullptr, nullptr, nullptr},
    {"1.3.6.1.2.1.2.2.1.2", "Descr", SNMP_SYNTAX_DISPLAYSTR, SNMP_ACCESS_READWRITE, &g_status,
     "$0+1", nullptr, "note", nullptr, nullptr},
    {"1.3.6.1.2.1.2.2.1.3", "Type", SNMP_SYNTAX_INTEGER, SNMP_ACCESS_WRITEONLY, nullptr, nullptr,
     nullptr, nullptr, nullptr, nullptr},
    {nullptr, nullptr, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr},
};

VnSNMPVarDesc Record(std::uint32_t access) {
  return {"1.3.6.1.4.1.171.1",
          "Item",
          SNMP_SYNTAX_INTEGER,
          access,
          nullptr,
          nullptr,
          nullptr,
          nullptr,
          nullptr,
          nullptr};
}

// A two-item list (both items with the given access) of the given item type.
VnSNMPVarList ListOf(std::uint32_t access, VnItemType itemType, std::uint32_t keyCount) {
  VnSNMPVarDesc table[] = {Record(access), Record(access), {}};
  return VnSNMPVarList(table, itemType, keyCount);
}

}  // namespace

TEST(VarListBuild, NullAndEmptyTablesGiveNoItems) {
  VnSNMPVarList fromNull(nullptr, VnItemType::MVT_FMV, 1);
  EXPECT_EQ(fromNull.Count(), 0);
  EXPECT_EQ(fromNull.ShownCount(), 0);
  EXPECT_EQ(fromNull.HiddenColumnCount(), 0);
  const VnSNMPVarDesc empty[] = {{}};
  VnSNMPVarList fromEmpty(empty, VnItemType::SVT_SV, 0);
  EXPECT_EQ(fromEmpty.Count(), 0);
  EXPECT_EQ(CountDescriptors(nullptr), 0);
  EXPECT_EQ(CountDescriptors(kTable), 3);
  EXPECT_THROW(fromEmpty.Item(0), EListError);
}

TEST(VarListBuild, ItemsAreDeepCopiesWithTheirOwnValueStrings) {
  VnSNMPVarList list(kTable, VnItemType::MVT_FMV, 1);
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list.KeyCount, 1u);
  EXPECT_EQ(list.ItemType, VnItemType::MVT_FMV);
  EXPECT_TRUE(list.InstanceSuffix.IsEmpty());
  EXPECT_TRUE(list.Description.IsEmpty());
  VnSNMPVarDesc* item = list.Item(1);
  EXPECT_NE(item->Oid, kTable[1].Oid);  // a copy, not the catalogue's text
  EXPECT_STREQ(item->Oid, "1.3.6.1.2.1.2.2.1.2");
  EXPECT_STREQ(item->Label, "Descr");
  EXPECT_EQ(item->Options, &g_status);  // shared
  EXPECT_STREQ(item->Text1, "$0+1");
  EXPECT_NE(item->Text1, kTable[1].Text1);
  EXPECT_EQ(item->Text2, nullptr);
  EXPECT_STREQ(item->Text3, "note");
  ASSERT_NE(item->Value, nullptr);
  ASSERT_NE(item->LastOid, nullptr);
  EXPECT_TRUE(item->Value->IsEmpty());
  list.AppendDescriptors(kTable);
  EXPECT_EQ(list.Count(), 6);
  EXPECT_STREQ(list.Item(5)->Label, "Type");
}

TEST(VarListCopy, CopiesAreIndependentAndKeepTheTargetsSuffixAndOptions) {
  VnSNMPVarList source(kTable, VnItemType::MVT_FMV, 1);
  source.Description = "interfaces";
  source.InstanceSuffix = "7";
  *source.Item(1)->Value = "eth0";
  *source.Item(1)->LastOid = "1.3.6.1.2.1.2.2.1.2.1";
  source.AdoptOptions(std::make_unique<VnOptionList>(kStatusPairs));

  VnSNMPVarList copy(source);
  EXPECT_EQ(copy.Count(), 3);
  EXPECT_EQ(copy.Description, "interfaces");
  EXPECT_EQ(copy.KeyCount, 1u);
  EXPECT_TRUE(copy.InstanceSuffix.IsEmpty());
  EXPECT_TRUE(copy.OwnedOptions.empty());
  EXPECT_EQ(*copy.Item(1)->Value, "eth0");
  EXPECT_EQ(*copy.Item(1)->LastOid, "1.3.6.1.2.1.2.2.1.2.1");
  *copy.Item(1)->Value = "changed";
  *copy.Item(1)->LastOid = "";
  EXPECT_EQ(*source.Item(1)->Value, "eth0");
  EXPECT_EQ(*source.Item(1)->LastOid, "1.3.6.1.2.1.2.2.1.2.1");

  VnSNMPVarList target;
  target.InstanceSuffix = "3";
  target.AdoptOptions(std::make_unique<VnOptionList>(kStatusPairs));
  target = source;
  EXPECT_EQ(target.InstanceSuffix, "3");
  EXPECT_EQ(target.OwnedOptions.size(), 1u);
  EXPECT_EQ(target.ItemType, VnItemType::MVT_FMV);
  EXPECT_EQ(target.Count(), 3);
  target = target;  // self-assignment keeps everything
  EXPECT_EQ(target.Count(), 3);
  EXPECT_EQ(*target.Item(1)->Value, "eth0");

  // Assigning a smaller list drops the old items.
  target = VnSNMPVarList();
  EXPECT_EQ(target.Count(), 0);
  EXPECT_EQ(target.ItemType, VnItemType::SVT_SV);
}

TEST(VarListCopy, AppendIndexTwiceAppendsTwice) {
  VnSNMPVarDesc table[] = {Record(SNMP_ACCESS_READWRITE), {}};
  table[0].Oid = "1.3.6.1.4.1.171.2";
  VnSNMPVarList list(table, VnItemType::MVT_SV, 0);
  list.AppendIndex("3");
  list.AppendIndex("3");
  EXPECT_STREQ(list.Item(0)->Oid, "1.3.6.1.4.1.171.2.3.3");
  EXPECT_STREQ(table[0].Oid, "1.3.6.1.4.1.171.2");
  VnSNMPVarList copy = list;
  EXPECT_STREQ(copy.Item(0)->Oid, "1.3.6.1.4.1.171.2.3.3");
}

TEST(VarListPredicates, ReadWriteAndInvalid) {
  VnSNMPVarList rw = ListOf(6, VnItemType::SVT_SV, 0);
  EXPECT_TRUE(rw.IsReadable(0));
  EXPECT_TRUE(rw.IsWritable(0));
  EXPECT_TRUE(rw.IsShown(0));
  EXPECT_FALSE(rw.IsColumnHidden(0));
  VnSNMPVarList invalid = ListOf(38, VnItemType::MVT_FMV, 1);
  EXPECT_FALSE(invalid.IsReadable(0));
  EXPECT_FALSE(invalid.IsWritable(0));
  EXPECT_FALSE(invalid.IsShown(0));
  EXPECT_TRUE(invalid.IsColumnHidden(0));
  EXPECT_EQ(invalid.ShownCount(), 0);
  EXPECT_EQ(invalid.HiddenColumnCount(), 2);
}

TEST(VarListPredicates, IndexColumnsOfTablesCountAsWritable) {
  VnSNMPVarList table = ListOf(SNMP_ACCESS_NOTACCESS, VnItemType::MVT_FMV, 1);
  EXPECT_TRUE(table.IsShown(0));
  EXPECT_FALSE(table.IsReadable(0));
  EXPECT_TRUE(table.IsWritable(0));
  EXPECT_FALSE(table.IsWritable(1));  // beyond the key count
  EXPECT_TRUE(ListOf(SNMP_ACCESS_NOTACCESS, VnItemType::MVT_UMV, 2).IsWritable(1));
  // Item types 0 and 1 have no index columns.
  EXPECT_FALSE(ListOf(SNMP_ACCESS_NOTACCESS, VnItemType::MVT_SV, 1).IsWritable(0));
}

TEST(VarListPredicates, WriteOnlyDerivedHiddenAndImplied) {
  VnSNMPVarList writeOnly = ListOf(4, VnItemType::SVT_SV, 0);
  EXPECT_TRUE(writeOnly.IsColumnHidden(0));
  EXPECT_TRUE(writeOnly.IsWritable(0));
  EXPECT_FALSE(writeOnly.IsReadable(0));
  EXPECT_FALSE(writeOnly.IsShown(0));
  VnSNMPVarList derived = ListOf(12, VnItemType::SVT_SV, 0);
  EXPECT_FALSE(derived.IsColumnHidden(0));
  EXPECT_TRUE(derived.IsShown(0));
  VnSNMPVarList hidden = ListOf(2 + 16, VnItemType::SVT_SV, 0);
  EXPECT_TRUE(hidden.IsReadable(0));
  EXPECT_FALSE(hidden.IsShown(0));
  EXPECT_TRUE(hidden.IsColumnHidden(0));
  VnSNMPVarList implied = ListOf(1 + 64, VnItemType::MVT_FMV, 2);
  EXPECT_TRUE(implied.IsImplied(1));
  EXPECT_FALSE(ListOf(1, VnItemType::MVT_FMV, 2).IsImplied(1));
}

TEST(NameLists, SyntaxAccessAndItemTypeNames) {
  EXPECT_EQ(g_SyntaxOptions.Count(), 26);
  EXPECT_EQ(g_SyntaxOptions.ValueOf("guage"), "66");
  EXPECT_EQ(g_SyntaxOptions.ValueOf("GUAGE"), "66");  // not case-sensitive
  EXPECT_EQ(g_SyntaxOptions.TextOf("76"), "displaystr");
  EXPECT_EQ(g_SyntaxOptions.TextOf("198"), "uint16");
  EXPECT_EQ(g_SyntaxOptions.TextOf("1"), "boolean");
  EXPECT_EQ(g_SyntaxOptions.ValueOf("gauge"), "gauge");  // only the system's spelling
  EXPECT_EQ(g_AccessOptions.Count(), 7);
  EXPECT_EQ(g_AccessOptions.TextOf("6"), "readwrite");
  EXPECT_EQ(g_AccessOptions.TextOf("32"), "invalid");
  EXPECT_EQ(g_AccessOptions.TextOf("64"), "64");
  EXPECT_EQ(g_ItemTypeOptions.Count(), 4);
  EXPECT_EQ(g_ItemTypeOptions.ValueOf("mvt_fmv"), "2");
  EXPECT_EQ(g_ItemTypeOptions.TextOf("0"), "SVT_SV");
}
