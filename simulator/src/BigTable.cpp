#include "simulator/src/BigTable.h"

#include "library/VnSNMPVarDesc.h"

namespace sim {

const Oid& BigTableEntry() {
  static const Oid entry{1, 3, 6, 1, 3, 1717, 1, 1};
  return entry;
}

void AddBigTable(Schema& schema, int rows, int columns) {
  TableDef& table = schema.AddTable(BigTableEntry(), {IndexKind::Int});
  for (int c = 1; c <= columns; ++c) {
    ObjectDef& object = schema.AddObject(Append(BigTableEntry(), {static_cast<std::uint32_t>(c)}));
    object.label = "Column " + std::to_string(c);
    object.access = SNMP_ACCESS_READONLY;
    if (c == 1) {
      object.syntax = SNMP_SYNTAX_INTEGER;
      object.indexPos = 0;
      continue;
    }
    switch ((c - 2) % 4) {
      case 0:
        object.syntax = SNMP_SYNTAX_DISPLAYSTR;
        break;
      case 1:
        object.syntax = SNMP_SYNTAX_COUNTER;
        break;
      case 2:
        object.syntax = SNMP_SYNTAX_INTEGER;
        object.access = SNMP_ACCESS_READWRITE;
        break;
      default:
        object.syntax = SNMP_SYNTAX_IPADDRESS;
        break;
    }
  }
  table.seedRows.clear();
  for (int r = 1; r <= rows; ++r) table.seedRows.push_back({static_cast<std::uint32_t>(r)});
}

}  // namespace sim
