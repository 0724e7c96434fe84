// An index of every descriptor table of the catalogue, for tests and for
// data that names tables by key. Nothing looks a table up by key at run time.
#pragma once

#include <vector>

#include "platform/AnsiString.h"

struct VnSNMPVarDesc;

struct CatalogueTable {
  const VnSNMPVarDesc* Table;
  const char* Name;  // the table's name in code
  const char* Unit;  // its unit, as in Init<Unit>MibOptionLists
  AnsiString Key;    // computed from its records, see CatalogueTables
};

// The key of a table without its number: the OID text of its first record
// whose OID text is not blank (or empty), a blank, and the record count in
// parentheses, as "1.3.6.1.4.1.171.12.3.1.3 (1)". A table without records
// gives " (0)".
AnsiString CatalogueKeyOf(const VnSNMPVarDesc* table);

// Every table in data order. Where several tables have the same key, each
// key gets " #n" behind it, n counting from 1 in data order.
const std::vector<CatalogueTable>& CatalogueTables();
