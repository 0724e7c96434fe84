// A small made-up device for store tests: a few scalars, a row-status table,
// a per-port table with action columns, and a fake clock.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "library/VnSNMPVarDesc.h"
#include "simulator/src/Fixture.h"
#include "simulator/src/Seed.h"
#include "simulator/src/Seeder.h"
#include "simulator/src/Store.h"

namespace simtest {

inline std::vector<sim::SeedTable> SmallCatalogue() {
  using R = sim::SeedRecord;
  const std::vector<std::pair<std::string, std::string>> rowStatus = {
      {"1", "active"}, {"4", "createAndGo"}, {"6", "destroy"}};
  return {
      {"9.1.1 (4)",
       {R{"9.1.1", "Name", SNMP_SYNTAX_DISPLAYSTR, SNMP_ACCESS_READWRITE, {}},
        R{"9.1.2",
          "Mode",
          SNMP_SYNTAX_INTEGER,
          SNMP_ACCESS_READWRITE,
          {{"2", "disabled"}, {"3", "enabled"}}},
        R{"9.1.3", "Octets", SNMP_SYNTAX_COUNTER, SNMP_ACCESS_READONLY, {}},
        R{"9.1.4", "Up", SNMP_SYNTAX_TIMETICKS, SNMP_ACCESS_READONLY, {}},
        R{"9.1.5",
          "Purge Hosts",
          SNMP_SYNTAX_INTEGER,
          SNMP_ACCESS_READWRITE,
          {{"1", "none"}, {"2", "start"}}},
        R{"9.1.6", "Panel", SNMP_SYNTAX_OCTETSTR, SNMP_ACCESS_READONLY, {}}}},
      {"9.2.1.2 (4)",
       {R{" ", "Host Index", SNMP_SYNTAX_INTEGER, SNMP_ACCESS_NOTACCESS, {}},
        R{"9.2.1.2", "Address", SNMP_SYNTAX_IPADDRESS, SNMP_ACCESS_READWRITE, {}},
        R{"9.2.1.3", "Status", SNMP_SYNTAX_INTEGER, SNMP_ACCESS_READWRITE, rowStatus},
        R{"9.2.1.4", "MAC", SNMP_SYNTAX_MACADDRESS, SNMP_ACCESS_READWRITE, {}},
        R{"9.2.1.5", "Subnet Mask", SNMP_SYNTAX_IPADDRESS, SNMP_ACCESS_READWRITE, {}}}},
      {"9.3.1.1 (5)",
       {R{"9.3.1.1", "Port", SNMP_SYNTAX_INTEGER, SNMP_ACCESS_READONLY, {}},
        R{"9.3.1.2",
          "Clear",
          SNMP_SYNTAX_INTEGER,
          SNMP_ACCESS_READWRITE,
          {{"1", "other"}, {"2", "start"}}},
        R{"9.3.1.3", "In Packets", SNMP_SYNTAX_COUNTER, SNMP_ACCESS_READONLY, {}},
        R{"9.3.1.4", "Members", SNMP_SYNTAX_BITSTR, SNMP_ACCESS_READWRITE, {}},
        R{"9.3.1.5", "Big", SNMP_SYNTAX_COUNTER64, SNMP_ACCESS_READONLY, {}}}},
      {"9.4.1.2 (3)",
       {R{"9.4.1.1",
          "Name",
          SNMP_SYNTAX_DISPLAYSTR,
          SNMP_ACCESS_NOTACCESS | SNMP_ACCESS_IMPLIED,
          {}},
        R{"9.4.1.2",
          "Action",
          SNMP_SYNTAX_INTEGER,
          SNMP_ACCESS_READWRITE,
          {{"1", "add"}, {"2", "delete"}}},
        R{"9.4.1.3", "Note", SNMP_SYNTAX_DISPLAYSTR, SNMP_ACCESS_READWRITE, {}}}},
  };
}

inline const char* kSmallFixture = R"(
table 9.2.1 int 1 2 cols=0
table 9.3.1 int ports cols=1
table 9.4.1 istr "alpha"
value 9.1.1.0 "switch"
value 9.2.1.2.1 10.0.0.1
default 9.2.1.4 00:11:22:33:44:55
range 9.1.1 0 8
rule 9.3.1.2 on 2 clear reads 1
rule 9.4.1.2 on 1 create
rule 9.4.1.2 on 2 delete
rule 9.1.5 on 2 purge 9.2.1 reads 1
motion 9.1.6.0 panel
)";

struct SmallDevice {
  std::int64_t now = 1000;
  sim::Fixture fixture;
  std::unique_ptr<sim::Store> store;

  explicit SmallDevice(const std::string& extra = "") {
    sim::ParseFixture(std::string(kSmallFixture) + extra, "small", fixture);
    store = std::make_unique<sim::Store>(sim::BuildSchema(SmallCatalogue(), fixture),
                                         [this] { return now; });
    sim::SeedStore(*store, fixture);
  }
};

}  // namespace simtest
