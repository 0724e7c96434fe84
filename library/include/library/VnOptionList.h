// Value-to-text tables of enumerated MIB values.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/AnsiString.h"

// Input record: static data of the caller, never owned by a list. Kind 1
// lists use IntValue, kinds 2 and 3 StrValue. An array of pairs ends with the
// first pair whose Text is null.
struct VnOptionPair {
  constexpr VnOptionPair(int value, const char* text) : IntValue(value), StrValue(nullptr), Text(text) {}
  constexpr VnOptionPair(const char* value, const char* text) : IntValue(0), StrValue(value), Text(text) {}
  int IntValue;
  const char* StrValue;
  const char* Text;
};

// One item of a list: its own copies of the pair's value and text.
struct VnOptionItem {
  int IntValue = 0;      // kind 1
  AnsiString StrValue;   // kinds 2 and 3
  AnsiString Text;
};

class TComboBox;
class TRadioGroup;

class VnOptionList {
 public:
  enum Kind : std::uint32_t { Integer = 1, String = 2, Prefix = 3 };

  explicit VnOptionList(const VnOptionPair* pairs, std::uint32_t kind = Integer, bool caseSensitive = false);
  VnOptionList(const VnOptionList&) = delete;
  VnOptionList& operator=(const VnOptionList&) = delete;
  ~VnOptionList();

  void Add(const VnOptionPair* pairs);
  void Clear();
  static int CountPairs(const VnOptionPair* pairs);

  std::uint32_t ValueKind() const { return kind_; }
  bool CaseSensitive() const { return caseSensitive_; }
  int Count() const { return static_cast<int>(items_.size()); }
  const VnOptionItem& Item(int index) const;

  int IndexOfText(const AnsiString& text) const;
  int IndexOfValue(const AnsiString& value) const;
  // The display text of a value text; the argument unchanged when no item matches.
  AnsiString TextOf(const AnsiString& value) const;
  // The value text of a display text; the argument unchanged when no item matches.
  AnsiString ValueOf(const AnsiString& text) const;

  // Control fillers; defined with the control-binding layer.
  void FillComboBox(TComboBox* combo) const;
  void SelectComboBox(TComboBox* combo, const AnsiString& text) const;
  void FillRadioGroup(TRadioGroup* group) const;
  void SelectRadioGroup(TRadioGroup* group, const AnsiString& text) const;

 private:
  std::uint32_t kind_;
  bool caseSensitive_;
  std::vector<VnOptionItem> items_;
};
