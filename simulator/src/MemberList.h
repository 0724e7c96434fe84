// Member lists kept by an action rule ("rule ... create member ENTRY"): the
// action row's first index component names a row of ENTRY, and the other
// components are the member, which the row of ENTRY lists in its column
// groups (the accessible columns but the row status, in groups as wide as
// the member). Adding puts the member into the first free group, one whose
// columns all hold the value a new row gets; removing gives the group those
// values back.
#pragma once

#include <utility>
#include <vector>

#include "simulator/src/Oid.h"
#include "simulator/src/Schema.h"
#include "simulator/src/Value.h"

namespace sim {

class Store;

// The writes that add (or remove) the member that the row `actionArcs` of
// `actionTable` names, appended to `writes`; 0, or inconsistentValue when
// the list's row is missing or full (adding only). Adding a member already
// listed, or removing one that is not, writes nothing.
int MemberListWrites(const Store& store, const Oid& listEntry, const TableDef& actionTable,
                     const Oid& actionArcs, bool add, std::vector<std::pair<Oid, Value>>& writes);

}  // namespace sim
