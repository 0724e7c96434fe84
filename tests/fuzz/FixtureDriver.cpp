// Simulator fixture files: the text parsed, built against a small catalogue
// and seeded into a store; then each rule's value is written as a manager
// would, on the first row of its table.
#include <memory>
#include <string>

#include "fuzz/FuzzDrivers.h"
#include "fuzz/FuzzSupport.h"
#include "simulator/SmallDevice.h"

namespace {
constexpr std::size_t kMostRows = 24;
}

void vnfuzz::RunFixtureInput(const std::uint8_t* data, std::size_t size) {
  static const std::vector<sim::SeedTable> catalogue = simtest::SmallCatalogue();
  sim::Fixture fixture;
  std::shared_ptr<sim::Schema> schema;
  try {
    // Seeding goes the same way for ten rows as for thousands; large tables
    // would only slow the search down.
    sim::ParseFixture(Text(data, size), "fuzz.fixture", fixture, kMostRows);
    schema = sim::BuildSchema(catalogue, fixture);
  } catch (const sim::FixtureError&) {
    return;  // a fault named with file and line
  }
  std::int64_t now = 1000;
  sim::Store store(schema, [&now] { return now; });
  try {
    sim::SeedStore(store, fixture);
  } catch (const sim::FixtureError&) {
    return;
  }
  now += 60000;
  for (const sim::Fixture::Rule& rule : fixture.rules) {
    sim::Oid instance = rule.column;
    instance.push_back(1);
    store.Set({sim::VarBind{instance, sim::Value::Int(rule.rule.on)}});
  }
  store.Reset();
}
