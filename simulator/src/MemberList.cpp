#include "simulator/src/MemberList.h"

#include "simulator/src/ErrorStatus.h"
#include "simulator/src/Store.h"
#include "simulator/src/Syntax.h"

namespace sim {

int MemberListWrites(const Store& store, const Oid& listEntry, const TableDef& actionTable,
                     const Oid& actionArcs, bool add, std::vector<std::pair<Oid, Value>>& writes) {
  const TableDef* list = store.schema().Table(listEntry);
  std::vector<Value> action;
  if (!list || !DecodeIndex(actionTable.index, actionArcs, action) || action.size() < 2)
    return kNoError;
  const std::vector<Value> listIndex{action.front()};
  const std::vector<Value> member(action.begin() + 1, action.end());
  Oid listArcs;
  if (!EncodeIndex(list->index, listIndex, listArcs) || !store.HasRow(*list, listArcs))
    return add ? kInconsistentValue : kNoError;

  std::vector<const ObjectDef*> columns;
  for (const ObjectDef* c : list->columns)
    if (c->Accessible() && !c->rowStatus) columns.push_back(c);
  const std::size_t width = member.size();
  const auto cell = [&](const ObjectDef* c) {
    Value v;
    store.Get(Append(c->oid, listArcs), v);
    return v;
  };
  const auto holds = [&](std::size_t first, bool free) {
    for (std::size_t k = 0; k < width; ++k) {
      const ObjectDef* c = columns[first + k];
      const Value want = free ? GeneratedValue(*c, listArcs, listIndex) : AsWireType(*c, member[k]);
      if (!(cell(c) == want)) return false;
    }
    return true;
  };
  const auto fill = [&](std::size_t first, bool free) {
    for (std::size_t k = 0; k < width; ++k) {
      const ObjectDef* c = columns[first + k];
      writes.emplace_back(Append(c->oid, listArcs), free ? GeneratedValue(*c, listArcs, listIndex)
                                                         : AsWireType(*c, member[k]));
    }
  };

  for (std::size_t g = 0; g + width <= columns.size(); g += width) {
    if (!holds(g, false)) continue;
    if (!add) fill(g, true);
    return kNoError;
  }
  if (!add) return kNoError;
  for (std::size_t g = 0; g + width <= columns.size(); g += width) {
    if (!holds(g, true)) continue;
    fill(g, false);
    return kNoError;
  }
  return kInconsistentValue;
}

}  // namespace sim
