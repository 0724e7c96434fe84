// The catalogue as the seeder reads it: plain records with their option
// pairs, so that the seeding logic does not depend on where they come from.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace sim {

struct SeedRecord {
  std::string oid;  // dotted, without instance; blank for index-only records
  std::string label;
  std::uint32_t syntax = 0;
  std::uint32_t access = 0;
  // Option pairs in list order: value text ("4", or an OID text) and display text.
  std::vector<std::pair<std::string, std::string>> options;
};

struct SeedTable {
  std::string key;
  std::vector<SeedRecord> records;
};

// Every descriptor table of the MIB catalogue in data order, with the
// catalogue's option lists read out. Starts the catalogue's option lists when
// they are not built yet; they stay for the life of the process.
std::vector<SeedTable> CatalogueSeed();

}  // namespace sim
