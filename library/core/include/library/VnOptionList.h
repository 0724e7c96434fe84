// Value-to-text tables of enumerated MIB values.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/AnsiString.h"

// Input record: static data of the caller, never owned by a list. Kind 1
// lists use IntValue, kinds 2 and 3 StrValue. An array of pairs ends with the
// first pair whose Text is null.
struct VnOptionPair {
  constexpr VnOptionPair(int value, const char* text)
      : IntValue(value), StrValue(nullptr), Text(text) {}
  constexpr VnOptionPair(const char* value, const char* text)
      : IntValue(0), StrValue(value), Text(text) {}
  int IntValue;
  const char* StrValue;
  const char* Text;
};

// One item of a list: its own copies of the pair's value and text.
struct VnOptionItem {
  int IntValue = 0;     // kind 1
  AnsiString StrValue;  // kinds 2 and 3
  AnsiString Text;
};

class TComboBox;
class TRadioGroup;

class VnOptionList {
 public:
  enum Kind : std::uint32_t { Integer = 1, String = 2, Prefix = 3 };

  // Copies the pairs (pairs may be null). Throws EInvalidOperation for a kind
  // other than 1, 2 or 3.
  explicit VnOptionList(const VnOptionPair* pairs, std::uint32_t kind = Integer,
                        bool caseSensitive = false);
  VnOptionList(const VnOptionList&) = delete;
  VnOptionList& operator=(const VnOptionList&) = delete;
  ~VnOptionList();

  // Appends copies of the pairs before the terminating one.
  void Add(const VnOptionPair* pairs);
  void Clear();
  // Pairs before the terminating one; 0 for a null array.
  static int CountPairs(const VnOptionPair* pairs);

  std::uint32_t ValueKind() const { return kind_; }
  bool CaseSensitive() const { return caseSensitive_; }
  int Count() const { return static_cast<int>(items_.size()); }
  // Throws EListError for an index outside 0 .. Count() - 1.
  const VnOptionItem& Item(int index) const;

  // Index of the first item whose text matches, or -1. Kinds 1 and 2 compare
  // the whole text, kind 3 looks for the item text as a prefix of the text.
  int IndexOfText(const AnsiString& text) const;
  // Index of the first item whose value matches, or -1. Kind 1 reads the text
  // as an integer ("(NULL)" and non-numbers match nothing); kind 2 compares
  // the whole text, kind 3 looks for the item value as a prefix.
  int IndexOfValue(const AnsiString& value) const;
  // The display text of a value text; the argument unchanged when no item
  // matches. Kind 3 replaces only the matched prefix.
  AnsiString TextOf(const AnsiString& value) const;
  // The value text of a display text; the argument unchanged when no item
  // matches. Kind 3 replaces only the matched prefix.
  AnsiString ValueOf(const AnsiString& text) const;

  // Control fillers; defined with the control-binding layer.
  void FillComboBox(TComboBox* combo) const;
  void SelectComboBox(TComboBox* combo, const AnsiString& text) const;
  void FillRadioGroup(TRadioGroup* group) const;
  void SelectRadioGroup(TRadioGroup* group, const AnsiString& text) const;

 private:
  bool SameWhole(const AnsiString& a, const AnsiString& b) const;
  bool StartsWith(const AnsiString& text, const AnsiString& prefix) const;

  std::uint32_t kind_;
  bool caseSensitive_;
  std::vector<VnOptionItem> items_;
};
