// Keys of the catalogue's tables, computed from their records.
#include "catalogue/CatalogueTables.h"

#include <map>

#include "catalogue/CatalogueIndex.h"
#include "library/VnSNMPVarDesc.h"

namespace {

bool IsBlankOid(const char* oid) {
  for (const char* p = oid; *p; ++p)
    if (*p != ' ') return false;
  return true;
}

std::vector<CatalogueTable> BuildIndex() {
  std::vector<CatalogueTable> tables;
  std::map<AnsiString, int> uses;
  for (int i = 0; i < kCatalogueEntryCount; ++i) {
    const CatalogueEntry& entry = kCatalogueEntries[i];
    AnsiString key = CatalogueKeyOf(entry.Table);
    ++uses[key];
    tables.push_back(CatalogueTable{entry.Table, entry.Name, entry.Unit, key});
  }
  std::map<AnsiString, int> numbered;
  for (CatalogueTable& table : tables) {
    if (uses[table.Key] > 1) table.Key += " #" + AnsiString(++numbered[table.Key]);
  }
  return tables;
}

}  // namespace

AnsiString CatalogueKeyOf(const VnSNMPVarDesc* table) {
  AnsiString oid;
  int count = 0;
  for (; table && table[count].Oid; ++count) {
    if (oid.IsEmpty() && !IsBlankOid(table[count].Oid)) oid = table[count].Oid;
  }
  return oid + " (" + AnsiString(count) + ")";
}

const std::vector<CatalogueTable>& CatalogueTables() {
  static const std::vector<CatalogueTable> tables = BuildIndex();
  return tables;
}
