#include "library/VnSNMPVarList.h"

#include <optional>
#include <string>

#include "library/VnOptionList.h"
#include "platform/Exceptions.h"

// One item: its record and the storage that the record's texts point into.
// The record's Value and LastOid always point at this entry's strings.
struct VnSNMPVarList::Entry {
  Entry() {
    desc.Value = &value;
    desc.LastOid = &lastOid;
  }
  Entry(const Entry&) = delete;
  Entry& operator=(const Entry&) = delete;

  VnSNMPVarDesc desc{};
  std::string oid;
  std::string label;
  std::optional<std::string> text1, text2, text3;
  AnsiString value;
  AnsiString lastOid;
  std::optional<VnWholeValue> whole;
};

namespace {

const char* CopyText(const char* source, std::optional<std::string>& store) {
  if (!source) {
    store.reset();
    return nullptr;
  }
  store = source;
  return store->c_str();
}

}  // namespace

int CountDescriptors(const VnSNMPVarDesc* table) {
  int n = 0;
  if (table)
    while (table[n].Oid) ++n;
  return n;
}

VnSNMPVarList::VnSNMPVarList() = default;

VnSNMPVarList::VnSNMPVarList(const VnSNMPVarDesc* table, VnItemType itemType,
                             std::uint32_t keyCount)
    : KeyCount(keyCount), ItemType(itemType) {
  AppendDescriptors(table);
}

VnSNMPVarList::VnSNMPVarList(const VnSNMPVarList& other) { CopyFrom(other); }

VnSNMPVarList& VnSNMPVarList::operator=(const VnSNMPVarList& other) {
  CopyFrom(other);
  return *this;
}

VnSNMPVarList::~VnSNMPVarList() = default;

void VnSNMPVarList::AppendCopy(const VnSNMPVarDesc& source) {
  auto entry = std::make_unique<Entry>();
  VnSNMPVarDesc& d = entry->desc;
  entry->oid = source.Oid ? source.Oid : "";
  entry->label = source.Label ? source.Label : "";
  d.Oid = entry->oid.c_str();
  d.Label = entry->label.c_str();
  d.Syntax = source.Syntax;
  d.Access = source.Access;
  d.Options = source.Options;  // shared, never owned
  d.Text1 = CopyText(source.Text1, entry->text1);
  d.Text2 = CopyText(source.Text2, entry->text2);
  d.Text3 = CopyText(source.Text3, entry->text3);
  if (source.Value) entry->value = *source.Value;
  if (source.LastOid) entry->lastOid = *source.LastOid;
  items_.push_back(std::move(entry));
}

void VnSNMPVarList::AppendDescriptors(const VnSNMPVarDesc* table) {
  int n = CountDescriptors(table);
  items_.reserve(items_.size() + static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) AppendCopy(table[i]);
}

void VnSNMPVarList::CopyFrom(const VnSNMPVarList& other) {
  if (&other == this) return;
  FreeItems();
  KeyCount = other.KeyCount;
  ItemType = other.ItemType;
  Description = other.Description;
  items_.reserve(other.items_.size());
  for (const auto& entry : other.items_) {
    AppendCopy(entry->desc);
    items_.back()->whole = entry->whole;
  }
}

void VnSNMPVarList::FreeItems() { items_.clear(); }

void VnSNMPVarList::AppendIndex(const AnsiString& suffix) {
  for (auto& entry : items_) {
    std::string oid = entry->desc.Oid ? entry->desc.Oid : "";
    oid += '.';
    oid += suffix.str();
    entry->oid = std::move(oid);
    entry->desc.Oid = entry->oid.c_str();
  }
}

VnSNMPVarDesc* VnSNMPVarList::Item(int index) const {
  if (index < 0 || index >= Count())
    throw EListError(AnsiString::Format("List index out of bounds (%d)", index));
  return &items_[static_cast<std::size_t>(index)]->desc;
}

const VnWholeValue* VnSNMPVarList::WholeValue(int index) const {
  Item(index);
  const auto& whole = items_[static_cast<std::size_t>(index)]->whole;
  return whole ? &*whole : nullptr;
}

void VnSNMPVarList::SetWholeValue(int index, std::optional<VnWholeValue> whole) {
  Item(index);
  items_[static_cast<std::size_t>(index)]->whole = std::move(whole);
}

void VnSNMPVarList::ClearWholeValues() {
  for (auto& entry : items_) entry->whole.reset();
}

bool VnSNMPVarList::IsReadable(int index) const {
  std::uint32_t a = Item(index)->Access;
  return !(a & SNMP_ACCESS_INVALID) && (a & SNMP_ACCESS_READONLY);
}

bool VnSNMPVarList::IsWritable(int index) const {
  std::uint32_t a = Item(index)->Access;
  if (a & SNMP_ACCESS_INVALID) return false;
  if (a & SNMP_ACCESS_WRITEONLY) return true;
  bool table = ItemType == VnItemType::MVT_FMV || ItemType == VnItemType::MVT_UMV;
  return table && static_cast<std::uint32_t>(index) < KeyCount;
}

bool VnSNMPVarList::IsShown(int index) const {
  std::uint32_t a = Item(index)->Access;
  if (a & (SNMP_ACCESS_INVALID | SNMP_ACCESS_HIDDEN)) return false;
  return (a & (SNMP_ACCESS_NOTACCESS | SNMP_ACCESS_DERIVED | SNMP_ACCESS_READONLY)) != 0;
}

bool VnSNMPVarList::IsColumnHidden(int index) const {
  std::uint32_t a = Item(index)->Access;
  return a == SNMP_ACCESS_WRITEONLY || (a & (SNMP_ACCESS_INVALID | SNMP_ACCESS_HIDDEN)) != 0;
}

bool VnSNMPVarList::IsImplied(int index) const {
  return (Item(index)->Access & SNMP_ACCESS_IMPLIED) != 0;
}

int VnSNMPVarList::ShownCount() const {
  int n = 0;
  for (int i = 0; i < Count(); ++i) n += IsShown(i) ? 1 : 0;
  return n;
}

int VnSNMPVarList::HiddenColumnCount() const {
  int n = 0;
  for (int i = 0; i < Count(); ++i) n += IsColumnHidden(i) ? 1 : 0;
  return n;
}

VnOptionList* VnSNMPVarList::AdoptOptions(std::unique_ptr<VnOptionList> options) {
  VnOptionList* raw = options.get();
  if (raw) OwnedOptions.push_back(std::move(options));
  return raw;
}
