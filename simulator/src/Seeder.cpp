#include "simulator/src/Seeder.h"

#include <strings.h>

#include <cstdlib>
#include <functional>

#include "library/VnSNMPVarDesc.h"
#include "simulator/src/Syntax.h"

namespace sim {

namespace {

bool ToInt(const std::string& s, std::int64_t& out) {
  if (s.empty()) return false;
  char* end = nullptr;
  long long v = std::strtoll(s.c_str(), &end, 10);
  if (*end != '\0') return false;
  out = v;
  return true;
}

bool IsBlank(const std::string& oid) { return oid.find_first_not_of(' ') == std::string::npos; }

// readwrite beats readonly beats not-accessible where tables disagree.
std::uint32_t Wider(std::uint32_t a, std::uint32_t b) {
  auto rank = [](std::uint32_t f) {
    return (f & SNMP_ACCESS_WRITEONLY) ? 2 : (f & SNMP_ACCESS_READONLY) ? 1 : 0;
  };
  return rank(b) > rank(a) ? b : a;
}

void TakeOptions(ObjectDef& object, const SeedRecord& record) {
  if (record.options.empty() || !object.options.empty() || !object.oidOptions.empty()) return;
  for (const auto& [value, text] : record.options) {
    std::int64_t n = 0;
    Oid oid;
    if (ToInt(value, n)) {
      object.options.emplace_back(n, text);
    } else if (ParseOid(value, oid)) {
      object.oidOptions.push_back(oid);
    }
  }
  object.rowStatus = IsRowStatusList(record.options);
}

bool Compatible(IndexKind kind, std::uint32_t syntax) {
  switch (kind) {
    case IndexKind::Int:
      return WireType(syntax) == Type::Integer || WireType(syntax) == Type::Gauge32 ||
             WireType(syntax) == Type::TimeTicks || WireType(syntax) == Type::Counter32;
    case IndexKind::String:
    case IndexKind::ImpliedString:
      return syntax == SNMP_SYNTAX_DISPLAYSTR || syntax == SNMP_SYNTAX_OCTETSTR ||
             syntax == SNMP_SYNTAX_BITSTR;
    case IndexKind::Mac:
      return syntax == SNMP_SYNTAX_MACADDRESS;
    case IndexKind::Ipv6:
      return syntax == SNMP_SYNTAX_IPV6ADDRESS || syntax == SNMP_SYNTAX_OCTETSTR;
    case IndexKind::Ip:
      return syntax == SNMP_SYNTAX_IPADDRESS;
    case IndexKind::ObjectId:
    case IndexKind::ImpliedObjectId:
      return syntax == SNMP_SYNTAX_OBJECTID;
  }
  return false;
}

std::string Where(int line) { return "fixture line " + std::to_string(line) + ": "; }

}  // namespace

bool IsRowStatusList(const std::vector<std::pair<std::string, std::string>>& options) {
  bool createAndGo = false, destroy = false;
  for (const auto& [value, text] : options) {
    if (value == "4" && strcasecmp(text.c_str(), "createAndGo") == 0) createAndGo = true;
    if (value == "6" && strcasecmp(text.c_str(), "destroy") == 0) destroy = true;
  }
  return createAndGo && destroy;
}

std::shared_ptr<Schema> BuildSchema(const std::vector<SeedTable>& catalogue, const Fixture& fixture,
                                    const std::function<void(Schema&)>& extra) {
  auto schema = std::make_shared<Schema>();
  for (const SeedTable& table : catalogue) {
    for (const SeedRecord& record : table.records) {
      if (IsBlank(record.oid)) continue;  // index-only records name no object
      Oid oid;
      if (!ParseOid(record.oid, oid)) continue;
      // Read and write bits only; not-accessible (with or without implied) otherwise.
      const std::uint32_t access = record.access & SNMP_ACCESS_READWRITE
                                       ? record.access & SNMP_ACCESS_READWRITE
                                       : SNMP_ACCESS_NOTACCESS;
      const bool fresh = schema->Object(oid) == nullptr;
      ObjectDef& object = schema->AddObject(oid);
      if (fresh) {
        object.label = record.label;
        object.syntax = record.syntax;
        object.access = access;
      } else {
        object.access = Wider(object.access, access);
      }
      TakeOptions(object, record);
    }
  }
  for (const auto& o : fixture.objects) {
    ObjectDef& object = schema->AddObject(o.oid);
    object.syntax = o.syntax;
    object.access = o.access;
    if (!o.label.empty() || object.label.empty()) object.label = o.label;
  }
  for (const auto& t : fixture.tables) {
    if (schema->Table(t.entry))
      throw FixtureError(Where(t.line) + "table " + FormatOid(t.entry) + " given twice");
    if (schema->Object(t.entry))
      throw FixtureError(Where(t.line) + FormatOid(t.entry) + " is an object, not a table entry");
    TableDef& table = schema->AddTable(t.entry, t.kinds);
    for (const auto& texts : t.rows) {
      std::vector<Value> values;
      for (std::size_t k = 0; k < texts.size(); ++k) {
        Value v;
        if (!ParseIndexValue(t.kinds[k], texts[k], v))
          throw FixtureError(Where(t.line) + "bad index \"" + texts[k] + "\"");
        values.push_back(v);
      }
      Oid arcs;
      if (!EncodeIndex(t.kinds, values, arcs))
        throw FixtureError(Where(t.line) + "index does not fit its kinds");
      table.seedRows.push_back(arcs);
    }
  }
  if (extra) extra(*schema);
  schema->Link();

  // Which columns show the index components.
  for (const auto& t : fixture.tables) {
    TableDef* table = schema->MutableTable(t.entry);
    for (std::size_t k = 0; k < t.kinds.size(); ++k) {
      int column = t.cols.empty() ? static_cast<int>(k) + 1 : t.cols[k];
      if (column == 0) continue;
      ObjectDef* object =
          schema->MutableObject(Append(t.entry, {static_cast<std::uint32_t>(column)}));
      if (!object) {
        if (!t.cols.empty())
          throw FixtureError(Where(t.line) + "no column " + std::to_string(column) +
                             " in this table");
        continue;
      }
      if (!Compatible(t.kinds[k], object->syntax)) {
        if (!t.cols.empty())
          throw FixtureError(Where(t.line) + "column " + std::to_string(column) +
                             " cannot show this index");
        continue;
      }
      object->indexPos = static_cast<int>(k);
    }
    if (table->columns.empty())
      throw FixtureError(Where(t.line) + "no object lies in table " + FormatOid(t.entry));
  }

  for (const auto& r : fixture.ranges) {
    ObjectDef* object = schema->MutableObject(r.oid);
    if (!object) throw FixtureError(Where(r.line) + "range for unknown object " + FormatOid(r.oid));
    object->range = std::make_pair(r.lo, r.hi);
  }
  for (const auto& r : fixture.rules) {
    ObjectDef* object = schema->MutableObject(r.column);
    if (!object)
      throw FixtureError(Where(r.line) + "rule for unknown object " + FormatOid(r.column));
    if (WireType(object->syntax) != Type::Integer)
      throw FixtureError(Where(r.line) + "rules need an integer column");
    if (r.rule.verb == ActionRule::Verb::Purge && !schema->Table(r.rule.purgeEntry)) {
      throw FixtureError(Where(r.line) + "purge of unknown table " + FormatOid(r.rule.purgeEntry));
    }
    if (r.rule.verb != ActionRule::Verb::Purge && !object->table) {
      throw FixtureError(Where(r.line) + "only purge rules fit a scalar");
    }
    if (!r.rule.memberEntry.empty()) {
      const TableDef* list = schema->Table(r.rule.memberEntry);
      if (!list || list->index.size() != 1 || object->table->index.size() < 2 ||
          list->index.front() != object->table->index.front()) {
        throw FixtureError(Where(r.line) + "member list " + FormatOid(r.rule.memberEntry) +
                           " is no table keyed by the row's first index component");
      }
    }
    object->rules.push_back(r.rule);
  }
  for (const auto& d : fixture.defaults) {
    ObjectDef* object = schema->MutableObject(d.oid);
    if (!object)
      throw FixtureError(Where(d.line) + "default for unknown object " + FormatOid(d.oid));
    Value v;
    std::string error;
    if (!ParseObjectValue(*object, d.text, v, error)) throw FixtureError(Where(d.line) + error);
    object->defaultValue = v;
  }
  return schema;
}

void SeedStore(Store& store, const Fixture& fixture) {
  const Schema& schema = store.schema();
  for (const auto& [oid, object] : schema.Objects()) {
    if (object->table || !object->Accessible()) continue;
    store.Put(Append(oid, {0}), GeneratedValue(*object, {0}, {}));
  }
  for (const auto& [entry, table] : schema.Tables()) {
    for (const Oid& arcs : table->seedRows) {
      if (!store.HasRow(*table, arcs)) store.CreateRow(*table, arcs);
    }
  }
  for (const auto& s : fixture.values) {
    Oid rest;
    const ObjectDef* object = schema.Resolve(s.oid, &rest);
    if (!object || !object->Accessible()) {
      throw FixtureError(Where(s.line) + "no accessible object holds " + FormatOid(s.oid));
    }
    Value v;
    std::string error;
    if (!ParseObjectValue(*object, s.text, v, error)) throw FixtureError(Where(s.line) + error);
    if (!store.Put(s.oid, v, &error)) throw FixtureError(Where(s.line) + error);
  }
  for (const auto& m : fixture.motions) {
    Value probe;
    if (store.Get(m.oid, probe) != Store::Lookup::Found) {
      throw FixtureError(Where(m.line) + "no instance " + FormatOid(m.oid));
    }
    const Store::Motion motion = m.text == "panel"   ? Store::Motion::Panel
                                 : m.text == "count" ? Store::Motion::Count
                                 : m.text == "tick"  ? Store::Motion::Tick
                                                     : Store::Motion::Still;
    store.SetMotion(m.oid, motion);
  }
  for (const auto& a : fixture.absents) {
    if (!store.Remove(a.oid))
      throw FixtureError(Where(a.line) + "no instance at or under " + FormatOid(a.oid));
  }
  // Columns whose GETNEXT answers misbehave: `disorder` and `repeat`.
  const auto misbehave = [&](const std::vector<Fixture::Setting>& settings, const char* keyword,
                             Store::Walk walk) {
    for (const auto& d : settings) {
      if (!store.Misbehave(d.oid, walk))
        throw FixtureError(Where(d.line) + keyword + " needs a readable table column");
    }
  };
  misbehave(fixture.disorders, "disorder", Store::Walk::Disorder);
  misbehave(fixture.repeats, "repeat", Store::Walk::Repeat);
  store.SaveSeed();
}

}  // namespace sim
