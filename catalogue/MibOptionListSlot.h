// Building blocks of the catalogue units: descriptor records and option
// lists that exist only between start-up and exit.
//
// The descriptor tables are constant data, initialised before any code runs,
// yet their records point at option lists that are built by the units'
// start-up functions. A MibOptionListSlot is the fixed storage of one such
// list: its address is known at compile time, the list inside it is
// constructed by Build and destroyed by Destroy. Reading a record's option
// list before InitMibOptionLists or after FreeMibOptionLists is an error.
#pragma once

#include <cstdint>

#include "library/VnOptionList.h"
#include "library/VnSNMPVarDesc.h"

// A catalogue record: only the first five fields are set.
constexpr VnSNMPVarDesc MibVar(const char* oid, const char* label, std::uint32_t syntax,
                               std::uint32_t access, VnOptionList* options = nullptr) {
  return VnSNMPVarDesc{oid,     label,   syntax,  access,  options,
                       nullptr, nullptr, nullptr, nullptr, nullptr};
}

// The terminating record of a table.
constexpr VnSNMPVarDesc MibEnd() { return MibVar(nullptr, nullptr, 0, 0); }

class MibOptionListSlot {
 public:
  constexpr MibOptionListSlot() {}
  MibOptionListSlot(const MibOptionListSlot&) = delete;
  MibOptionListSlot& operator=(const MibOptionListSlot&) = delete;
  // A list still built at exit is destroyed here.
  ~MibOptionListSlot() { Destroy(); }

  // The list's address; valid to dereference only while Built().
  constexpr VnOptionList* Get() { return &list_; }
  bool Built() const { return built_; }

  // Builds the list (case-insensitive) when not built yet.
  void Build(const VnOptionPair* pairs, std::uint32_t kind);
  // Destroys the list when built.
  void Destroy();

 private:
  union {
    VnOptionList list_;
  };
  bool built_ = false;
};

// The pair array and value kind of one list.
struct MibOptionListDef {
  const VnOptionPair* Pairs;
  std::uint32_t Kind;
};

// The option lists of one unit: built in their order, freed in reverse.
class MibUnitLists {
 public:
  constexpr MibUnitLists(MibOptionListSlot* slots, const MibOptionListDef* defs, int count)
      : slots_(slots), defs_(defs), count_(count) {}
  MibUnitLists(const MibUnitLists&) = delete;
  MibUnitLists& operator=(const MibUnitLists&) = delete;

  void Build();
  void Free();
  int Count() const { return count_; }

 private:
  MibOptionListSlot* slots_;
  const MibOptionListDef* defs_;
  int count_;
};

// Number of catalogue option lists built and not yet destroyed.
int LiveMibOptionLists();
