// The generated list of the catalogue's tables in data order (see
// CatalogueTables.h for the index built from it).
#pragma once

struct VnSNMPVarDesc;

struct CatalogueEntry {
  const VnSNMPVarDesc* Table;
  const char* Name;
  const char* Unit;
};

extern const CatalogueEntry kCatalogueEntries[];
extern const int kCatalogueEntryCount;
