// Every table builds into the variable lists that its pages and forms make
// of it.
#include <gtest/gtest.h>

#include <string>

#include "CatalogueJson.h"
#include "catalogue/CatalogueTables.h"
#include "catalogue/MibOptionLists.h"
#include "library/VnSNMPVarList.h"

TEST(CatalogueVarLists, EveryTableBuildsForEachOfItsUsers) {
  const cattest::Json* data = cattest::CatalogueData();
  if (!data) VN_REFERENCE_MISSING("catalogue data: catalogue/mib-catalogue.json");
  InitMibOptionLists();
  const auto& tables = CatalogueTables();
  ASSERT_EQ(tables.size(), data->Arr().size());
  int built = 0;
  for (std::size_t i = 0; i < tables.size(); ++i) {
    const cattest::Json& table = data->Arr()[i];
    const int records = CountDescriptors(tables[i].Table);
    for (const cattest::Json& user : table["used_by"].Arr()) {
      const auto itemType = static_cast<VnItemType>(user["item_type"].Int());
      const auto keyCount = static_cast<std::uint32_t>(user["key_count"].Int());
      const std::string where = table["key"].Str() + " as " +
                                std::to_string(user["item_type"].Int()) + "/" +
                                std::to_string(keyCount);
      if (itemType <= VnItemType::MVT_SV) {
        EXPECT_EQ(keyCount, 0u) << where;
      }
      EXPECT_LE(keyCount, 4u) << where;
      EXPECT_LE(static_cast<int>(keyCount), records) << where;
      try {
        VnSNMPVarList list(tables[i].Table, itemType, keyCount);
        ASSERT_EQ(list.Count(), records) << where;
        EXPECT_EQ(list.ItemType, itemType) << where;
        EXPECT_EQ(list.KeyCount, keyCount) << where;
        for (int k = 0; k < records; ++k) {
          const VnSNMPVarDesc* item = list.Item(k);
          EXPECT_STREQ(item->Oid, tables[i].Table[k].Oid) << where;
          EXPECT_STREQ(item->Label, tables[i].Table[k].Label) << where;
          EXPECT_EQ(item->Options, tables[i].Table[k].Options) << where;
          // Index columns of a table are writable so that their controls are
          // read into them; nothing else that is not accessible is.
          if (tables[i].Table[k].Access & SNMP_ACCESS_NOTACCESS) {
            EXPECT_EQ(list.IsWritable(k),
                      itemType >= VnItemType::MVT_FMV && k < static_cast<int>(keyCount))
                << where << " item " << k;
          }
        }
        ++built;
      } catch (const std::exception& e) {
        ADD_FAILURE() << where << ": " << e.what();
      }
    }
  }
  EXPECT_EQ(built, 291);
  FreeMibOptionLists();
}
