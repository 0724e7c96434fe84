// The compiled catalogue against the data file it was generated from.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "CatalogueJson.h"
#include "catalogue/CatalogueTables.h"
#include "catalogue/MibOptionLists.h"
#include "library/VnOptionList.h"
#include "library/VnSNMPVarDesc.h"

namespace {

using cattest::Json;

class CatalogueData : public ::testing::Test {
 protected:
  void SetUp() override {
    data_ = cattest::CatalogueData();
    if (!data_)
      VN_REFERENCE_MISSING("catalogue data: catalogue/mib-catalogue.json (or VN_CATALOGUE_DATA)");
    InitMibOptionLists();
  }
  void TearDown() override { FreeMibOptionLists(); }

  const Json::Array& Tables() const { return data_->Arr(); }

  const Json* data_ = nullptr;
};

std::string Where(const Json& table, std::size_t record) {
  return table["key"].Str() + " record " + std::to_string(record);
}

}  // namespace

TEST_F(CatalogueData, EveryTableInDataOrderWithItsKeyAndUnit) {
  const auto& tables = CatalogueTables();
  ASSERT_EQ(tables.size(), Tables().size());
  for (std::size_t i = 0; i < tables.size(); ++i) {
    const Json& want = Tables()[i];
    EXPECT_EQ(tables[i].Key.str(), want["key"].Str()) << "table " << i;
    if (!want["unit"].IsNull()) {
      EXPECT_EQ(std::string(tables[i].Unit) + "Mib", want["unit"].Str()) << want["key"].Str();
    } else {
      std::set<std::string> candidates;
      for (const Json& c : want["unit_candidates"].Arr()) candidates.insert(c.Str());
      EXPECT_TRUE(candidates.count(std::string(tables[i].Unit) + "Mib")) << want["key"].Str();
    }
  }
}

TEST_F(CatalogueData, EveryRecordAsInTheData) {
  const auto& tables = CatalogueTables();
  ASSERT_EQ(tables.size(), Tables().size());
  for (std::size_t i = 0; i < tables.size(); ++i) {
    const Json& want = Tables()[i];
    const Json::Array& records = want["records"].Arr();
    const VnSNMPVarDesc* table = tables[i].Table;
    std::size_t n = 0;
    while (table[n].Oid) ++n;
    ASSERT_EQ(n, records.size()) << want["key"].Str();
    for (std::size_t r = 0; r < n; ++r) {
      const Json& rec = records[r];
      const VnSNMPVarDesc& d = table[r];
      EXPECT_EQ(std::string(d.Oid), rec["oid"].Str()) << Where(want, r);
      EXPECT_EQ(std::string(d.Label), rec["label"].Str()) << Where(want, r);
      EXPECT_EQ(d.Syntax, rec["syntax_code"].Int()) << Where(want, r);
      EXPECT_EQ(d.Access, rec["access_flags"].Int()) << Where(want, r);
      if (rec["options"].IsNull()) {
        EXPECT_EQ(d.Options, nullptr) << Where(want, r);
        continue;
      }
      ASSERT_NE(d.Options, nullptr) << Where(want, r);
      const Json::Array& pairs = rec["options"].Arr();
      ASSERT_EQ(d.Options->Count(), static_cast<int>(pairs.size())) << Where(want, r);
      for (std::size_t p = 0; p < pairs.size(); ++p) {
        const Json& value = pairs[p].Arr()[0];
        const VnOptionItem& item = d.Options->Item(static_cast<int>(p));
        EXPECT_EQ(item.Text.str(), pairs[p].Arr()[1].Str()) << Where(want, r) << " pair " << p;
        if (value.IsString()) {
          EXPECT_EQ(d.Options->ValueKind(), VnOptionList::String) << Where(want, r);
          EXPECT_EQ(item.StrValue.str(), value.Str()) << Where(want, r) << " pair " << p;
        } else {
          EXPECT_EQ(d.Options->ValueKind(), VnOptionList::Integer) << Where(want, r);
          EXPECT_EQ(item.IntValue, value.Int()) << Where(want, r) << " pair " << p;
        }
      }
    }
  }
}

TEST_F(CatalogueData, BlankIndexRecordsLieWithinEveryUsersKeyCount) {
  int checked = 0;
  for (const Json& table : Tables()) {
    const Json::Array& records = table["records"].Arr();
    std::size_t blanks = 0;
    while (blanks < records.size() &&
           records[blanks]["oid"].Str().find_first_not_of(' ') == std::string::npos)
      ++blanks;
    if (blanks == 0) continue;
    for (const Json& user : table["used_by"].Arr()) {
      EXPECT_GE(static_cast<VnItemType>(user["item_type"].Int()), VnItemType::MVT_FMV)
          << table["key"].Str();
      EXPECT_GE(user["key_count"].Int(), static_cast<long long>(blanks)) << table["key"].Str();
      ++checked;
    }
  }
  EXPECT_GT(checked, 0);
}
