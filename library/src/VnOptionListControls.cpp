// Option lists in combo boxes and radio groups: entry i of the control is
// item i of the list.
#include "library/VnOptionList.h"
#include "platform/RadioGroup.h"
#include "platform/StdCtrls.h"

namespace {

void FillItems(const VnOptionList& list, TStrings* items) {
  items->BeginUpdate();
  items->Clear();
  for (int i = 0; i < list.Count(); ++i) items->Add(list.Item(i).Text);
  items->EndUpdate();
}

// By display text first, else by value text; -1 when neither matches.
template <class Control>
void SelectEntry(const VnOptionList& list, Control* control, const AnsiString& text) {
  control->SetItemIndex(list.IndexOfText(text));
  if (control->ItemIndex() < 0) control->SetItemIndex(list.IndexOfValue(text));
}

}  // namespace

void VnOptionList::FillComboBox(TComboBox* combo) const {
  if (combo) FillItems(*this, combo->Items());
}

void VnOptionList::SelectComboBox(TComboBox* combo, const AnsiString& text) const {
  if (combo) SelectEntry(*this, combo, text);
}

void VnOptionList::FillRadioGroup(TRadioGroup* group) const {
  if (group) FillItems(*this, group->Items());
}

void VnOptionList::SelectRadioGroup(TRadioGroup* group, const AnsiString& text) const {
  if (group) SelectEntry(*this, group, text);
}
