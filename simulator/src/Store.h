// The ordered store of instances the agent serves, with the write semantics
// of a real device: type and access checks, row creation and deletion
// through row-status and action columns, all-or-nothing SETs, and values
// that move with the clock (counters, time ticks, the front-panel LEDs).
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "simulator/src/Oid.h"
#include "simulator/src/Schema.h"
#include "simulator/src/Value.h"

namespace sim {

struct VarBind {
  Oid oid;
  Value value;
};

struct SetResult {
  int status = 0;  // ErrorStatus
  int index = 0;   // 1-based varbind of the error, 0 without error
};

class Store {
 public:
  // Milliseconds of a monotonic clock.
  using Clock = std::function<std::int64_t()>;

  enum class Motion : std::uint8_t {
    Still,  // as stored
    Count,  // grows by its rate each second
    Tick,   // grows by 100 each second
    Panel,  // the front-panel LED pattern of the moment
  };

  Store(std::shared_ptr<const Schema> schema, Clock clock);

  const Schema& schema() const { return *schema_; }
  std::int64_t Now() const { return clock_(); }
  std::size_t Size() const { return cells_.size(); }

  enum class Lookup { Found, NoSuchObject, NoSuchInstance };
  Lookup Get(const Oid& oid, Value& out) const;
  // The first instance after `from` (or at it, when inclusive).
  bool Next(const Oid& from, bool inclusive, Oid& oid, Value& out) const;

  // Every instance at or under the prefix with its value, in order (the
  // store's own order, whatever the walks of a misbehaving column do).
  std::vector<VarBind> Under(const Oid& prefix) const;

  // A manager's SET: every varbind is checked before any is applied.
  SetResult Set(const std::vector<VarBind>& vbs);
  SetResult Check(const std::vector<VarBind>& vbs) const;

  // Writes without access or type checks (seed and control channel). A table
  // instance brings its row into being with default values, also one named
  // with more arcs than the table's index (the index is read from the
  // front): such a row is served, and a manager's SET reaches it, but a SET
  // makes none. A value stopped with SetMotion(Still) stays stopped. False
  // with a reason when the OID names no instance of a known object.
  bool Put(const Oid& oid, const Value& value, std::string* error = nullptr);
  // Removes the instance at the OID and every instance under it (their rows
  // stay: a sparse column, an absent scalar). False when there was none.
  bool Remove(const Oid& prefix);

  // A misbehaving agent's walk of a column: a GETNEXT from an instance of it
  // answers with the instance before it (Disorder; from the first instance,
  // the one after it) or with that instance itself (Repeat, which wins
  // where a column has both). A GETNEXT from the column itself answers as
  // usual. Reset returns to the seed's walks.
  enum class Walk : std::uint8_t { Disorder, Repeat };
  // False when the OID names no readable table column.
  bool Misbehave(const Oid& column, Walk walk);
  // Makes an instance follow a motion from its current value on.
  void SetMotion(const Oid& oid, Motion motion);

  bool HasRow(const TableDef& table, const Oid& indexArcs) const;
  // Creates a row with the default value of every accessible column.
  void CreateRow(const TableDef& table, const Oid& indexArcs);
  void DeleteRow(const TableDef& table, const Oid& indexArcs);
  std::size_t RowCount(const TableDef& table) const;

  // Remembers the current contents as the seed; Reset returns to it.
  void SaveSeed();
  void Reset();

 private:
  struct Cell {
    Value value;
    Motion motion = Motion::Still;
    std::uint32_t rate = 0;
    std::int64_t since = 0;
  };
  struct Plan;

  Value Read(const Cell& cell) const;
  Cell MakeCell(const Value& value, const Oid& oid) const;
  SetResult MakePlan(const std::vector<VarBind>& vbs, Plan& plan) const;
  void Apply(const Plan& plan);
  void ClearRow(const TableDef& table, const Oid& indexArcs, const ObjectDef* keep);

  // Where a GETNEXT from inside a misbehaving column goes instead; end when
  // it goes where it would anyway.
  std::map<Oid, Cell>::const_iterator DisorderedNext(const Oid& from) const;

  // The columns of each Walk, with those of the seed.
  struct Walks {
    std::set<Oid> disorder, repeat;
  };

  std::shared_ptr<const Schema> schema_;
  Clock clock_;
  std::int64_t start_;
  std::map<Oid, Cell> cells_;
  std::map<Oid, std::set<Oid>> rows_;  // per table entry, the index arcs of its rows
  Walks walks_;
  std::map<Oid, Cell> seedCells_;
  std::map<Oid, std::set<Oid>> seedRows_;
  Walks seedWalks_;
  bool changed_ = false;  // written since SaveSeed or Reset
};

}  // namespace sim
