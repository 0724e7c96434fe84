// What the agent serves: scalar objects and table columns with their syntax,
// access and value rules, and the tables' index layouts.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "simulator/src/Oid.h"
#include "simulator/src/Value.h"

namespace sim {

// How one index component is coded in an instance OID.
enum class IndexKind {
  Int,              // one arc
  String,           // length, then one arc per octet
  ImpliedString,    // one arc per octet, no length (last component only)
  Mac,              // six arcs
  Ipv6,             // sixteen arcs
  Ip,               // four arcs
  ObjectId,         // length, then the arcs
  ImpliedObjectId,  // the arcs, no length (last component only)
};

// A value of an action column that does more than store itself.
struct ActionRule {
  enum class Verb { Create, Delete, Clear, Purge };
  std::int64_t on = 0;
  Verb verb = Verb::Create;
  std::optional<std::int64_t> reads;  // what the column reads back afterwards
  Oid purgeEntry;                     // Purge: the table whose rows all go
  Oid memberEntry;  // Create, Delete: the table whose rows list the member (see MemberList.h)
};

struct TableDef;

struct ObjectDef {
  Oid oid;
  std::string label;
  std::uint32_t syntax = 0;  // catalogue syntax code
  std::uint32_t access = 0;  // catalogue access flags
  // Integer option values with their texts, in list order.
  std::vector<std::pair<std::int64_t, std::string>> options;
  // OID-valued option lists (value texts that are OIDs).
  std::vector<Oid> oidOptions;
  bool rowStatus = false;
  std::optional<std::pair<std::int64_t, std::int64_t>> range;
  std::vector<ActionRule> rules;
  std::optional<Value> defaultValue;
  const TableDef* table = nullptr;  // null for a scalar
  int indexPos = -1;                // which index component this column shows

  bool Accessible() const;  // not a not-accessible index column
  bool Writable() const;
  bool HasOption(std::int64_t value) const;
  const ActionRule* RuleFor(std::int64_t value) const;
};

struct TableDef {
  Oid entry;
  std::vector<IndexKind> index;
  std::vector<const ObjectDef*> columns;  // ascending by column number
  std::vector<Oid> seedRows;              // index arcs of the rows the seed holds
  const ObjectDef* RowStatusColumn() const;
};

// Owns every object and table; lookups by OID.
class Schema {
 public:
  ObjectDef& AddObject(const Oid& oid);  // existing one when already there
  ObjectDef* MutableObject(const Oid& oid);
  const ObjectDef* Object(const Oid& oid) const;
  TableDef& AddTable(const Oid& entry, std::vector<IndexKind> index);
  TableDef* MutableTable(const Oid& entry);
  const TableDef* Table(const Oid& entry) const;

  // Binds every object whose parent is a table's entry to that table as a
  // column; all others stay scalars. Call once after adding everything.
  void Link();

  // The object an instance belongs to and the arcs after the object's OID;
  // null when no object's OID is a prefix of the instance.
  const ObjectDef* Resolve(const Oid& instance, Oid* rest) const;

  const std::map<Oid, std::unique_ptr<ObjectDef>>& Objects() const { return objects_; }
  const std::map<Oid, std::unique_ptr<TableDef>>& Tables() const { return tables_; }

 private:
  std::map<Oid, std::unique_ptr<ObjectDef>> objects_;
  std::map<Oid, std::unique_ptr<TableDef>> tables_;
};

// Index coding. Decode fails unless the arcs hold exactly the components.
bool DecodeIndex(const std::vector<IndexKind>& kinds, const Oid& arcs, std::vector<Value>& out);
// The components at the front of the arcs; arcs past them may follow, as
// agents of stacked units name rows with more arcs than the table's index.
bool DecodeLeadingIndex(const std::vector<IndexKind>& kinds, const Oid& arcs,
                        std::vector<Value>& out);
bool EncodeIndex(const std::vector<IndexKind>& kinds, const std::vector<Value>& values, Oid& out);
// One component from its text: numbers, quoted or bare strings,
// aa:bb:cc:dd:ee:ff, IPv4 and IPv6 addresses, dotted OIDs.
bool ParseIndexValue(IndexKind kind, std::string_view text, Value& out);
bool ParseIndexKind(std::string_view name, IndexKind& out);

}  // namespace sim
