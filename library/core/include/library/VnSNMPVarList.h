// An ordered list of MIB variables built from a descriptor table: how the
// table is read (item type), how many leading items are its index columns
// (key count), and a private copy of every record holding the item's current
// value text.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "library/VnSNMPVarDesc.h"
#include "platform/AnsiString.h"

class VnOptionList;

// The octets a read gave an item whose value text shows fewer of them (a
// display string ends at its first zero octet), beside that text.
struct VnWholeValue {
  AnsiString Text;
  std::string Octets;
};

// Records before the terminating one (Oid null); 0 for a null table.
int CountDescriptors(const VnSNMPVarDesc* table);

class VnSNMPVarList {
 public:
  VnSNMPVarList();
  VnSNMPVarList(const VnSNMPVarDesc* table, VnItemType itemType, std::uint32_t keyCount);
  // A copy has the source's items, item type, key count and description, an
  // empty instance suffix and no option lists of its own.
  VnSNMPVarList(const VnSNMPVarList& other);
  // Replaces items, item type, key count and description; keeps this list's
  // instance suffix and owned option lists.
  VnSNMPVarList& operator=(const VnSNMPVarList& other);
  ~VnSNMPVarList();

  // Appends a private copy of every record of the table, in table order.
  void AppendDescriptors(const VnSNMPVarDesc* table);
  // Takes over the items, item type, key count and description of another list.
  void CopyFrom(const VnSNMPVarList& other);
  void FreeItems();

  // Every item's Oid becomes Oid + "." + suffix (applied again, appended again).
  void AppendIndex(const AnsiString& suffix);

  int Count() const { return static_cast<int>(items_.size()); }
  // The item's record; an index out of range throws EListError.
  VnSNMPVarDesc* Item(int index) const;

  bool IsReadable(int index) const;
  bool IsWritable(int index) const;
  bool IsShown(int index) const;
  bool IsColumnHidden(int index) const;
  bool IsImplied(int index) const;
  int ShownCount() const;
  int HiddenColumnCount() const;

  // The whole value of an item whose text shows less of it, or null. While
  // the item still holds that text, a SET sends the whole value.
  const VnWholeValue* WholeValue(int index) const;
  void SetWholeValue(int index, std::optional<VnWholeValue> whole);
  void ClearWholeValues();

  // Takes ownership of an option list; it is destroyed with this list.
  // Returns the list for convenience.
  VnOptionList* AdoptOptions(std::unique_ptr<VnOptionList> options);

  // When not empty, every OID sent or compared is Oid + "." + InstanceSuffix.
  AnsiString InstanceSuffix;
  std::uint32_t KeyCount = 0;
  VnItemType ItemType = VnItemType::SVT_SV;
  // Shown in the status line's "[VARLIST]".
  AnsiString Description;
  // Option lists owned by this list (never copied by assignment).
  std::vector<std::unique_ptr<VnOptionList>> OwnedOptions;

 private:
  struct Entry;
  void AppendCopy(const VnSNMPVarDesc& source);

  std::vector<std::unique_ptr<Entry>> items_;
};
