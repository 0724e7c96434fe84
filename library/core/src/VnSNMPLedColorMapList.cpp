#include "library/VnSNMPLedColorMapList.h"

#include "platform/Exceptions.h"

VnSNMPLedColorMapList::VnSNMPLedColorMapList(const VnLedColorPair* pairs, std::uint8_t colorMask,
                                             std::uint8_t blinkMask, VnLedColor normalColor,
                                             VnLedColor absentColor)
    : ColorMask(colorMask),
      BlinkMask(blinkMask),
      NormalColor(normalColor),
      AbsentColor(absentColor) {
  AddPairs(pairs);
}

VnSNMPLedColorMapList::~VnSNMPLedColorMapList() { Clear(); }

int VnSNMPLedColorMapList::CountPairs(const VnLedColorPair* pairs) {
  int n = 0;
  if (pairs)
    while (pairs[n].Color != kNoLedColor) ++n;
  return n;
}

void VnSNMPLedColorMapList::AddPairs(const VnLedColorPair* pairs) {
  const int n = CountPairs(pairs);
  pairs_.insert(pairs_.end(), pairs, pairs + n);
}

void VnSNMPLedColorMapList::Clear() { pairs_.clear(); }

const VnLedColorPair& VnSNMPLedColorMapList::Pair(int index) const {
  if (index < 0 || index >= Count())
    throw EListError(AnsiString::Format("List index out of bounds (%d)", index));
  return pairs_[static_cast<std::size_t>(index)];
}

int VnSNMPLedColorMapList::IndexOf(std::uint8_t value) const {
  for (int i = 0; i < Count(); ++i)
    if (pairs_[static_cast<std::size_t>(i)].Value == value) return i;
  return -1;
}

VnLedColor VnSNMPLedColorMapList::ColorOf(std::uint8_t value) const {
  const int i = IndexOf(value);
  return i < 0 ? 0 : pairs_[static_cast<std::size_t>(i)].Color;
}
