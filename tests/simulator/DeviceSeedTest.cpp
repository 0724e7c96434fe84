// The real catalogue seeded with the device fixture.
#include <gtest/gtest.h>

#include <chrono>

#include "library/VnSNMPVarDesc.h"
#include "simulator/src/Seeder.h"
#include "simulator/src/Syntax.h"
#include "support/TestSupport.h"

namespace simtest {
namespace {

using sim::ToOid;

class DeviceSeed : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    catalogue_ = new std::vector<sim::SeedTable>(sim::CatalogueSeed());
    fixture_ = new sim::Fixture;
    sim::ParseFixture(vntest::ReadFile(VN_SIM_FIXTURE), "kxr5810.fixture", *fixture_);
    store_ =
        new sim::Store(sim::BuildSchema(*catalogue_, *fixture_), [] { return std::int64_t{0}; });
    sim::SeedStore(*store_, *fixture_);
  }
  static void TearDownTestSuite() {
    delete store_;
    delete fixture_;
    delete catalogue_;
  }
  static std::string Read(const std::string& oid) {
    sim::Value v;
    return store_->Get(ToOid(oid), v) == sim::Store::Lookup::Found ? sim::FormatValue(v)
                                                                   : "missing";
  }
  static std::vector<sim::SeedTable>* catalogue_;
  static sim::Fixture* fixture_;
  static sim::Store* store_;
};

std::vector<sim::SeedTable>* DeviceSeed::catalogue_ = nullptr;
sim::Fixture* DeviceSeed::fixture_ = nullptr;
sim::Store* DeviceSeed::store_ = nullptr;

TEST_F(DeviceSeed, EveryCatalogueObjectIsServedAndEveryTableHasRows) {
  ASSERT_EQ(catalogue_->size(), 285u);
  const sim::Schema& schema = store_->schema();
  int readable = 0;
  for (const auto& table : *catalogue_) {
    for (const auto& r : table.records) {
      if (r.oid.find_first_not_of(' ') == std::string::npos) continue;
      const sim::ObjectDef* object = schema.Object(ToOid(r.oid));
      ASSERT_NE(object, nullptr) << r.oid;
      if (!object->Accessible()) continue;
      ++readable;
      // Something of the object is in the store: its scalar or a column instance.
      sim::Oid next;
      sim::Value v;
      ASSERT_TRUE(store_->Next(object->oid, false, next, v)) << r.oid;
      EXPECT_TRUE(sim::StartsWith(next, object->oid))
          << table.key << " " << r.oid << " " << r.label;
      EXPECT_EQ(v.type, sim::WireType(object->syntax)) << r.oid;
    }
  }
  EXPECT_GT(readable, 1200);
  for (const auto& [entry, table] : schema.Tables())
    EXPECT_GT(store_->RowCount(*table), 0u) << sim::FormatOid(entry);
}

TEST_F(DeviceSeed, HoldsTheStatesTheModuleReadsAtStartUp) {
  EXPECT_EQ(Read("1.3.6.1.4.1.171.11.101.1.2.1.2.4.0"), "INTEGER:2");  // RMON disabled
  EXPECT_EQ(Read("1.3.6.1.4.1.171.12.15.1.2.0"), "INTEGER:1");         // RSTP
  EXPECT_EQ(Read("1.0.8802.1.1.1.1.1.1.0"), "INTEGER:2");              // 802.1X disabled
  EXPECT_EQ(Read("1.3.6.1.4.1.171.11.101.1.2.1.2.1.0"), "INTEGER:3");  // spanning tree on
  EXPECT_EQ(Read("1.3.6.1.4.1.171.11.101.1.2.1.1.1.0"), "INTEGER:10");
  EXPECT_EQ(Read("1.3.6.1.2.1.1.2.0"), "OID:1.3.6.1.4.1.171.10.101.1");
  sim::Value led;
  ASSERT_EQ(store_->Get(ToOid("1.3.6.1.4.1.171.11.101.1.2.1.1.4.0"), led),
            sim::Store::Lookup::Found);
  EXPECT_EQ(led.bytes.size(), 29u);
}

TEST_F(DeviceSeed, PortTablesHaveTenPortsAndVlanOneHasEveryPort) {
  const sim::Schema& schema = store_->schema();
  for (const char* entry :
       {"1.3.6.1.2.1.2.2.1", "1.3.6.1.2.1.17.7.1.4.5.1", "1.3.6.1.4.1.171.11.101.1.2.7.1.1",
        "1.3.6.1.2.1.17.1.4.1", "1.0.8802.1.1.1.1.2.1.1"}) {
    const sim::TableDef* t = schema.Table(ToOid(entry));
    ASSERT_NE(t, nullptr) << entry;
    EXPECT_EQ(store_->RowCount(*t), 10u) << entry;
  }
  EXPECT_EQ(Read("1.3.6.1.2.1.17.7.1.4.3.1.1.1"), "STRING:\"default\"");
  EXPECT_EQ(Read("1.3.6.1.2.1.17.7.1.4.3.1.2.1"), "Hex-STRING:FF C0 00 00");
  EXPECT_EQ(Read("1.3.6.1.2.1.17.7.1.4.3.1.5.1"), "INTEGER:1");
  EXPECT_EQ(Read("1.3.6.1.2.1.17.7.1.4.5.1.1.10"), "Gauge32:1");  // PVID of port 10
  const sim::ObjectDef* status = schema.Object(ToOid("1.3.6.1.4.1.171.12.1.2.10.1.1.3"));
  ASSERT_NE(status, nullptr);
  EXPECT_TRUE(status->rowStatus);  // the trust hosts' row status
  EXPECT_FALSE(schema.Object(ToOid("1.3.6.1.4.1.171.11.101.1.2.3.1.1.4"))
                   ->rowStatus);  // 4 and 6 are port types
}

TEST(SimRowStatus, ListsNeedCreateAndGoAndDestroyByName) {
  EXPECT_TRUE(sim::IsRowStatusList({{"1", "active"}, {"4", "createAndGo"}, {"6", "destroy"}}));
  EXPECT_TRUE(sim::IsRowStatusList({{"4", "CreateAndGo"}, {"6", "Destroy"}}));
  EXPECT_FALSE(sim::IsRowStatusList({{"4", "learning"}, {"6", "broken"}}));
  EXPECT_FALSE(sim::IsRowStatusList({{"4", "createAndGo"}}));
}

}  // namespace
}  // namespace simtest
