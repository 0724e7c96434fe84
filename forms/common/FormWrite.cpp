#include "forms/common/FormWrite.h"

#include "forms/common/AwaitedSet.h"
#include "library/VnSNMPRequest2Edits.h"
#include "platform/Exceptions.h"
#include "platform/StdCtrls.h"

TTypedFields::TTypedFields(const VnSNMPRequest2Edits& request, const std::vector<TControl*>& own) {
  for (const auto& b : request.Bindings)
    for (TControl* c : b->Controls) Note(c);
  for (TControl* c : own) Note(c);
}

void TTypedFields::Note(TControl* control) {
  if (!control) return;
  TField f{control, control->Text(), -1, false, false};
  if (auto* box = dynamic_cast<TCheckBox*>(control)) {
    f.Checked = box->Checked();
  } else if (auto* combo = dynamic_cast<TComboBox*>(control)) {
    f.Index = combo->ItemIndex();
  } else if (auto* edit = dynamic_cast<TEdit*>(control)) {
    f.Modified = edit->Modified();
  } else {
    return;  // labels and static texts show; the user types nothing there
  }
  fields_.push_back(f);
}

void TTypedFields::PutBack() const {
  for (const TField& f : fields_) {
    if (auto* box = dynamic_cast<TCheckBox*>(f.Control)) {
      box->SetChecked(f.Checked);
    } else if (auto* combo = dynamic_cast<TComboBox*>(f.Control)) {
      if (combo->ItemIndex() != f.Index) combo->SetItemIndex(f.Index);
      if (combo->Style() != csDropDownList && combo->Text() != f.Text) combo->SetText(f.Text);
    } else if (auto* edit = dynamic_cast<TEdit*>(f.Control)) {
      if (edit->Text() == f.Text) continue;
      edit->SetText(f.Text);
      edit->SetModified(f.Modified);
    }
  }
}

bool AnyFieldTyped(const VnSNMPRequest2Edits& request) {
  for (const auto& b : request.Bindings)
    if (request.ItemTyped(b->ItemIndex)) return true;
  return false;
}

bool WriteTaken(std::unique_ptr<VnSNMPRequest2Edits>& request, const std::function<void()>& send,
                const std::function<void(const AnsiString&)>& fail,
                const std::vector<TControl*>& own) {
  if (!request) return false;
  const TTypedFields typed(*request, own);
  bool taken = false;
  {
    TAwaitedSet answer(request);
    try {
      send();
      taken = answer.Taken();
    } catch (const Exception& e) {
      if (request && fail) fail(e.Message);
    }
  }
  if (taken) return true;
  if (request) typed.PutBack();
  return false;
}
