// A large generated table for walk benchmarks: rows 1..N by columns 1..M
// under a test subtree of its own, outside the device's MIBs.
#pragma once

#include "simulator/src/Schema.h"

namespace sim {

// The entry OID of the generated table; columns are entry.c, instances entry.c.r.
const Oid& BigTableEntry();

// Adds the table with its rows as seed rows. Column 1 is the row number;
// the others cycle through a display string, a growing counter, a writable
// integer and an IP address.
void AddBigTable(Schema& schema, int rows, int columns);

}  // namespace sim
