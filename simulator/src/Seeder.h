// Builds the served objects from the catalogue's tables and the fixture, and
// fills a store with the seed: every scalar, the fixture's rows with values
// of each column's syntax, then the fixture's own values.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "simulator/src/Fixture.h"
#include "simulator/src/Schema.h"
#include "simulator/src/Seed.h"
#include "simulator/src/Store.h"

namespace sim {

// Throws FixtureError when the fixture names objects or values that do not
// fit. `extra` runs before the objects are linked into tables (the large
// generated table adds itself there).
std::shared_ptr<Schema> BuildSchema(const std::vector<SeedTable>& catalogue, const Fixture& fixture,
                                    const std::function<void(Schema&)>& extra = {});

// Fills the store and saves its contents as the seed that Reset returns to.
void SeedStore(Store& store, const Fixture& fixture);

// Whether an option list marks a row-status column: createAndGo (4) and
// destroy (6) among its pairs.
bool IsRowStatusList(const std::vector<std::pair<std::string, std::string>>& options);

}  // namespace sim
