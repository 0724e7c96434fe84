// A group box of radio buttons, one per item, at most one of them chosen.
#pragma once

#include <vector>

#include "platform/Controls.h"

class TRadioGroup;

// The items of a radio group; changes write through to the buttons. Deleting
// the chosen item, or clearing, leaves no item chosen.
class TRadioItems : public TStrings {
 public:
  explicit TRadioItems(TRadioGroup* group) : group_(group) {}
  int Count() const override { return static_cast<int>(items_.size()); }
  AnsiString Strings(int i) const override;
  void SetStrings(int i, const AnsiString& s) override;
  TObject* Objects(int i) const override;
  void SetObjects(int i, TObject* obj) override;
  void InsertObject(int i, const AnsiString& s, TObject* obj) override;
  void Delete(int i) override;
  void Clear() override;

 private:
  void Check(int i) const;
  TRadioGroup* group_;
  std::vector<std::pair<AnsiString, TObject*>> items_;
};

// ItemIndex is -1 when no item is chosen. A choice by the user, or a change
// of ItemIndex by code, runs OnClick. A tab stop: the focus goes to the
// chosen button (the first when none is), so a group without items cannot
// take it.
class TRadioGroup : public TWinControl {
 public:
  explicit TRadioGroup(TComponent* AOwner);
  ~TRadioGroup() override;

  bool CanFocus() const override;

  TStrings* Items() { return &items_; }
  const TStrings* Items() const { return &items_; }
  int ItemIndex() const { return itemIndex_; }
  // An index outside the items chooses nothing.
  void SetItemIndex(int i);
  int Columns() const { return columns_; }
  void SetColumns(int n);

  // Toolkit side.
  void UserChose(int index);
  // An item was inserted (delta 1), deleted (-1) or renamed (0) at `at`;
  // at -1: all items went.
  void ItemsChanged(int at, int delta);

 protected:
  void SetTextValue(const AnsiString& v) override;
  void BoundsChanged() override;

 private:
  void Rebuild();
  void FocusGoesToChosen();
  TRadioItems items_{this};
  int itemIndex_ = -1;
  int columns_ = 1;
};
