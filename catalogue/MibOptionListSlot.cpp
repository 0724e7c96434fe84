// Construction and destruction of the catalogue's option lists.
#include "catalogue/MibOptionListSlot.h"

#include <new>

namespace {

int gLiveLists = 0;

}  // namespace

void MibOptionListSlot::Build(const VnOptionPair* pairs, std::uint32_t kind) {
  if (built_) return;
  new (&list_) VnOptionList(pairs, kind, false);
  built_ = true;
  ++gLiveLists;
}

void MibOptionListSlot::Destroy() {
  if (!built_) return;
  list_.~VnOptionList();
  built_ = false;
  --gLiveLists;
}

void MibUnitLists::Build() {
  for (int i = 0; i < count_; ++i) slots_[i].Build(defs_[i].Pairs, defs_[i].Kind);
}

void MibUnitLists::Free() {
  for (int i = count_ - 1; i >= 0; --i) slots_[i].Destroy();
}

int LiveMibOptionLists() { return gLiveLists; }
