#include "simulator/src/Store.h"

#include <algorithm>

#include "simulator/src/ErrorStatus.h"
#include "simulator/src/FrontPanel.h"
#include "simulator/src/MemberList.h"
#include "simulator/src/Syntax.h"

namespace sim {

namespace {

constexpr std::int64_t kCreateAndGo = 4;
constexpr std::int64_t kCreateAndWait = 5;
constexpr std::int64_t kDestroy = 6;
constexpr std::int64_t kActive = 1;
constexpr std::int64_t kNotInService = 2;

std::uint32_t RateFor(const Oid& oid) {
  std::uint32_t h = 2166136261u;
  for (auto a : oid) h = (h ^ a) * 16777619u;
  return 1 + h % 5000;
}

}  // namespace

struct Store::Plan {
  struct Row {
    const TableDef* table;
    Oid arcs;
  };
  std::vector<Oid> purges;
  std::vector<Row> deletes;
  std::vector<Row> creates;
  std::vector<std::pair<Row, const ObjectDef*>> clears;  // the action column keeps its value
  std::vector<std::pair<Oid, Value>> writes;
};

Store::Store(std::shared_ptr<const Schema> schema, Clock clock)
    : schema_(std::move(schema)), clock_(std::move(clock)), start_(clock_()) {}

Value Store::Read(const Cell& cell) const {
  switch (cell.motion) {
    case Motion::Still:
      return cell.value;
    case Motion::Count: {
      Value v = cell.value;
      const auto elapsed =
          static_cast<std::uint64_t>(std::max<std::int64_t>(0, Now() - cell.since));
      const std::uint64_t grown = cell.rate * elapsed / 1000;
      if (v.type == Type::Counter64) {
        v.big += grown;
      } else {
        v.num =
            static_cast<std::int64_t>((static_cast<std::uint64_t>(v.num) + grown) & 0xFFFFFFFFull);
      }
      return v;
    }
    case Motion::Tick: {
      Value v = cell.value;
      const auto elapsed =
          static_cast<std::uint64_t>(std::max<std::int64_t>(0, Now() - cell.since));
      v.num = static_cast<std::int64_t>((static_cast<std::uint64_t>(v.num) + elapsed / 10) &
                                        0xFFFFFFFFull);
      return v;
    }
    case Motion::Panel:
      return Value::Octets(panel::Pattern(Now() - start_));
  }
  return cell.value;
}

Store::Cell Store::MakeCell(const Value& value, const Oid& oid) const {
  Cell cell;
  cell.value = value;
  cell.since = Now();
  if (value.type == Type::Counter32 || value.type == Type::Counter64) {
    cell.motion = Motion::Count;
    cell.rate = RateFor(oid);
  } else if (value.type == Type::TimeTicks) {
    cell.motion = Motion::Tick;
  }
  return cell;
}

Store::Lookup Store::Get(const Oid& oid, Value& out) const {
  auto it = cells_.find(oid);
  if (it != cells_.end()) {
    out = Read(it->second);
    return Lookup::Found;
  }
  const ObjectDef* object = schema_->Resolve(oid, nullptr);
  return object && object->Accessible() ? Lookup::NoSuchInstance : Lookup::NoSuchObject;
}

bool Store::Next(const Oid& from, bool inclusive, Oid& oid, Value& out) const {
  auto it = inclusive ? cells_.lower_bound(from) : cells_.upper_bound(from);
  if (!inclusive && !(walks_.disorder.empty() && walks_.repeat.empty())) {
    auto back = DisorderedNext(from);
    if (back != cells_.end()) it = back;
  }
  if (it == cells_.end()) return false;
  oid = it->first;
  out = Read(it->second);
  return true;
}

std::vector<VarBind> Store::Under(const Oid& prefix) const {
  std::vector<VarBind> out;
  for (auto it = cells_.lower_bound(prefix); it != cells_.end() && StartsWith(it->first, prefix);
       ++it)
    out.push_back({it->first, Read(it->second)});
  return out;
}

std::map<Oid, Store::Cell>::const_iterator Store::DisorderedNext(const Oid& from) const {
  Oid rest;
  const ObjectDef* column = schema_->Resolve(from, &rest);
  if (!column || rest.empty()) return cells_.end();
  if (walks_.repeat.count(column->oid) != 0) return cells_.find(from);
  if (walks_.disorder.count(column->oid) == 0) return cells_.end();
  auto it = cells_.lower_bound(from);
  if (it == cells_.begin()) return cells_.end();
  --it;
  const bool inColumn = StartsWith(it->first, column->oid) && it->first.size() > column->oid.size();
  return inColumn ? it : cells_.end();
}

bool Store::Remove(const Oid& prefix) {
  auto first = cells_.lower_bound(prefix);
  auto last = first;
  while (last != cells_.end() && StartsWith(last->first, prefix)) ++last;
  if (first == last) return false;
  cells_.erase(first, last);
  changed_ = true;
  return true;
}

bool Store::Misbehave(const Oid& column, Walk walk) {
  const ObjectDef* object = schema_->Object(column);
  if (!object || !object->table || !object->Accessible()) return false;
  (walk == Walk::Repeat ? walks_.repeat : walks_.disorder).insert(column);
  changed_ = true;
  return true;
}

bool Store::HasRow(const TableDef& table, const Oid& indexArcs) const {
  auto it = rows_.find(table.entry);
  return it != rows_.end() && it->second.count(indexArcs) != 0;
}

std::size_t Store::RowCount(const TableDef& table) const {
  auto it = rows_.find(table.entry);
  return it == rows_.end() ? 0 : it->second.size();
}

void Store::CreateRow(const TableDef& table, const Oid& indexArcs) {
  changed_ = true;
  std::vector<Value> index;
  DecodeLeadingIndex(table.index, indexArcs, index);
  rows_[table.entry].insert(indexArcs);
  for (const ObjectDef* column : table.columns) {
    if (!column->Accessible()) continue;
    Oid oid = Append(column->oid, indexArcs);
    cells_[oid] = MakeCell(GeneratedValue(*column, indexArcs, index), oid);
  }
}

void Store::DeleteRow(const TableDef& table, const Oid& indexArcs) {
  changed_ = true;
  auto it = rows_.find(table.entry);
  if (it != rows_.end()) it->second.erase(indexArcs);
  for (const ObjectDef* column : table.columns) cells_.erase(Append(column->oid, indexArcs));
}

void Store::ClearRow(const TableDef& table, const Oid& indexArcs, const ObjectDef* keep) {
  changed_ = true;
  std::vector<Value> index;
  DecodeLeadingIndex(table.index, indexArcs, index);
  for (const ObjectDef* column : table.columns) {
    if (!column->Accessible() || column == keep || column->rowStatus || column->indexPos >= 0)
      continue;
    Oid oid = Append(column->oid, indexArcs);
    Value v = GeneratedValue(*column, indexArcs, index);
    if (v.type == Type::Counter32 || v.type == Type::Gauge32 || v.type == Type::TimeTicks)
      v.num = 0;
    if (v.type == Type::Counter64) v.big = 0;
    cells_[oid] = MakeCell(v, oid);
  }
}

bool Store::Put(const Oid& oid, const Value& value, std::string* error) {
  changed_ = true;
  auto it = cells_.find(oid);
  if (it == cells_.end()) {
    Oid rest;
    const ObjectDef* object = schema_->Resolve(oid, &rest);
    if (!object) {
      if (error) *error = "no object holds " + FormatOid(oid);
      return false;
    }
    if (object->table) {
      // A row may be named with more arcs than the table's index, as agents
      // of stacked units name theirs: the index is read from the front.
      std::vector<Value> index;
      if (!DecodeLeadingIndex(object->table->index, rest, index)) {
        if (error) *error = "bad index for " + FormatOid(object->oid);
        return false;
      }
      if (!HasRow(*object->table, rest)) CreateRow(*object->table, rest);
    } else if (rest != Oid{0}) {
      if (error) *error = "a scalar's instance ends in .0";
      return false;
    }
  }
  Cell& cell = cells_[oid];
  const std::uint32_t rate = cell.rate;
  const bool still = it != cells_.end() && cell.motion == Motion::Still;
  cell = MakeCell(value, oid);  // counters and ticks move on from the new value
  if (rate) cell.rate = rate;
  if (still) cell.motion = Motion::Still;  // a value stopped on purpose stays stopped
  return true;
}

void Store::SetMotion(const Oid& oid, Motion motion) {
  changed_ = true;
  auto it = cells_.find(oid);
  if (it == cells_.end()) return;
  it->second.value = Read(it->second);
  it->second.motion = motion;
  it->second.since = Now();
  if (motion == Motion::Count && it->second.rate == 0) it->second.rate = RateFor(oid);
}

SetResult Store::MakePlan(const std::vector<VarBind>& vbs, Plan& plan) const {
  struct Item {
    int index;  // 1-based
    const ObjectDef* object;
    Oid rest;
  };
  std::vector<Item> items;
  for (std::size_t i = 0; i < vbs.size(); ++i) {
    const int n = static_cast<int>(i) + 1;
    Item item{n, nullptr, {}};
    item.object = schema_->Resolve(vbs[i].oid, &item.rest);
    if (!item.object) return {kNotWritable, n};
    if (!item.object->Accessible()) return {kNoAccess, n};
    if (item.object->table) {
      // A manager makes rows of the table's index only; a row the agent
      // holds under more arcs takes writes as any other.
      std::vector<Value> index;
      if (!DecodeIndex(item.object->table->index, item.rest, index) &&
          !HasRow(*item.object->table, item.rest))
        return {kNoCreation, n};
    } else if (item.rest != Oid{0}) {
      return {kNoCreation, n};
    }
    if (!item.object->Writable()) return {kNotWritable, n};
    // A device takes back the value an instance holds, even one its own
    // checks would refuse now (a value outside the options or the range
    // that it was given another way): a manager writing back what it read
    // changes nothing.
    Value held;
    const bool rewrite = Get(vbs[i].oid, held) == Lookup::Found && held == vbs[i].value;
    if (int status = rewrite ? kNoError : CheckWrite(*item.object, vbs[i].value))
      return {status, n};
    items.push_back(std::move(item));
  }

  // Scalars are written as they come; their rules may act on whole tables.
  // Table instances are taken row by row, in the order rows first appear.
  std::vector<std::pair<Plan::Row, std::vector<const Item*>>> rows;
  for (const Item& item : items) {
    const VarBind& vb = vbs[static_cast<std::size_t>(item.index - 1)];
    if (!item.object->table) {
      Value v = vb.value;
      if (const ActionRule* rule = item.object->RuleFor(v.num); rule && v.type == Type::Integer) {
        if (rule->verb == ActionRule::Verb::Purge) plan.purges.push_back(rule->purgeEntry);
        if (rule->reads) v.num = *rule->reads;
      }
      plan.writes.emplace_back(vb.oid, v);
      continue;
    }
    auto found = std::find_if(rows.begin(), rows.end(), [&](const auto& r) {
      return r.first.table == item.object->table && r.first.arcs == item.rest;
    });
    if (found == rows.end()) {
      rows.push_back({Plan::Row{item.object->table, item.rest}, {}});
      found = rows.end() - 1;
    }
    found->second.push_back(&item);
  }

  for (const auto& [row, rowItems] : rows) {
    const bool exists = HasRow(*row.table, row.arcs);
    bool creating = false;
    bool deleting = false;
    std::vector<std::pair<Oid, Value>> writes;
    for (const Item* item : rowItems) {
      const VarBind& vb = vbs[static_cast<std::size_t>(item->index - 1)];
      Value v = vb.value;
      if (item->object->rowStatus) {
        if (v.num == kCreateAndGo || v.num == kCreateAndWait) {
          if (exists) return {kInconsistentValue, item->index};
          creating = true;
          v.num = v.num == kCreateAndGo ? kActive : kNotInService;
        } else if (v.num == kDestroy) {
          deleting = true;
          continue;
        } else if (!exists) {
          return {kInconsistentValue, item->index};
        }
      } else if (const ActionRule* rule = item->object->RuleFor(v.num);
                 rule && v.type == Type::Integer) {
        if (!rule->memberEntry.empty()) {
          const bool add = rule->verb == ActionRule::Verb::Create;
          if (int status = MemberListWrites(*this, rule->memberEntry, *row.table, row.arcs, add,
                                            plan.writes))
            return {status, item->index};
        }
        switch (rule->verb) {
          case ActionRule::Verb::Create:
            if (!exists) creating = true;
            break;
          case ActionRule::Verb::Delete:
            deleting = true;
            break;
          case ActionRule::Verb::Clear:
            if (!exists) return {kNoCreation, item->index};
            plan.clears.push_back({row, item->object});
            break;
          case ActionRule::Verb::Purge:
            plan.purges.push_back(rule->purgeEntry);
            break;
        }
        if (rule->reads) v.num = *rule->reads;
      }
      writes.emplace_back(vb.oid, v);
    }
    if (deleting) {
      // destroy wins over anything else written to the row
      if (exists) plan.deletes.push_back(row);
      continue;
    }
    if (!exists && !creating) return {kNoCreation, rowItems.front()->index};
    if (creating) plan.creates.push_back(row);
    plan.writes.insert(plan.writes.end(), writes.begin(), writes.end());
  }
  return {};
}

void Store::Apply(const Plan& plan) {
  changed_ = true;
  for (const Oid& entry : plan.purges) {
    const TableDef* table = schema_->Table(entry);
    if (!table) continue;
    auto it = rows_.find(entry);
    if (it == rows_.end()) continue;
    const std::set<Oid> victims = it->second;
    for (const Oid& arcs : victims) DeleteRow(*table, arcs);
  }
  for (const auto& row : plan.deletes) DeleteRow(*row.table, row.arcs);
  for (const auto& row : plan.creates) CreateRow(*row.table, row.arcs);
  for (const auto& [row, keep] : plan.clears) ClearRow(*row.table, row.arcs, keep);
  for (const auto& [oid, value] : plan.writes) {
    Cell& cell = cells_[oid];
    const std::uint32_t rate = cell.rate;
    cell = MakeCell(value, oid);
    if (rate) cell.rate = rate;
  }
}

SetResult Store::Check(const std::vector<VarBind>& vbs) const {
  Plan plan;
  return MakePlan(vbs, plan);
}

SetResult Store::Set(const std::vector<VarBind>& vbs) {
  Plan plan;
  SetResult result = MakePlan(vbs, plan);
  if (result.status == kNoError) Apply(plan);
  return result;
}

void Store::SaveSeed() {
  seedCells_ = cells_;
  seedRows_ = rows_;
  seedWalks_ = walks_;
  changed_ = false;
}

void Store::Reset() {
  // Copying the seed back is most of the cost; a store not written since
  // holds it already.
  if (changed_) {
    cells_ = seedCells_;
    rows_ = seedRows_;
    walks_ = seedWalks_;
    changed_ = false;
  }
  const std::int64_t now = Now();
  for (auto& [oid, cell] : cells_) cell.since = now;
  start_ = now;
}

}  // namespace sim
