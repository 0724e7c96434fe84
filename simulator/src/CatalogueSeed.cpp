// The seam between the catalogue's descriptor tables and the seeder.
#include "catalogue/CatalogueTables.h"
#include "catalogue/MibOptionLists.h"
#include "library/VnOptionList.h"
#include "library/VnSNMPVarDesc.h"
#include "simulator/src/Seed.h"

namespace sim {

std::vector<SeedTable> CatalogueSeed() {
  // Safe when the lists exist already: the start-up call runs once only.
  InitMibOptionLists();
  std::vector<SeedTable> tables;
  for (const CatalogueTable& entry : CatalogueTables()) {
    SeedTable table;
    table.key = entry.Key.str();
    for (const VnSNMPVarDesc* d = entry.Table; d && d->Oid; ++d) {
      SeedRecord record;
      record.oid = d->Oid;
      record.label = d->Label ? d->Label : "";
      record.syntax = d->Syntax;
      record.access = d->Access;
      if (const VnOptionList* list = d->Options) {
        for (int i = 0; i < list->Count(); ++i) {
          const VnOptionItem& item = list->Item(i);
          std::string value = list->ValueKind() == VnOptionList::Integer
                                  ? std::to_string(item.IntValue)
                                  : item.StrValue.str();
          record.options.emplace_back(value, item.Text.str());
        }
      }
      table.records.push_back(std::move(record));
    }
    tables.push_back(std::move(table));
  }
  return tables;
}

}  // namespace sim
