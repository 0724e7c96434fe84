// Bindings of a request to controls: making and removing them, and the
// forwarding of the controls' own events.
#include "library/VnSNMPRequest2Edits.h"

#include <algorithm>
#include <cctype>

#include "library/VnEditConstraint.h"
#include "library/VnErrors.h"
#include "library/VnNumList.h"
#include "library/VnOptionList.h"
#include "platform/ComCtrls.h"
#include "platform/Exceptions.h"
#include "platform/StdCtrls.h"

namespace {

// Counts the edits a format binds: a "%" followed by one of the type letters
// takes one edit; any other "%" takes none.
int CountFormatEdits(const AnsiString& format) {
  int count = 0;
  for (int i = 1; i < format.Length(); ++i) {
    if (format[i] != '%') continue;
    const char type = format[i + 1];
    if (type == 's' || type == 'h' || type == 'i' || type == 'u' || type == 'f' || type == 'n')
      ++count;
    ++i;
  }
  return count;
}

}  // namespace

VnSNMPRequest2Edits::VnSNMPRequest2Edits(TWinControl* owner)
    : VnSNMPRequest2Controls(owner),
      EditConstraint(std::make_unique<VnEditConstraint>(owner, true)) {}

VnSNMPRequest2Edits::~VnSNMPRequest2Edits() {
  for (auto& b : Bindings)
    for (int k = 0; k < b->ControlCount(); ++k) UnhookControl(*b, k);
  Bindings.clear();
  ReleaseRowRecords();
  if (ListView) {
    if (ListView->OnSelectItem ==
        TLVSelectItemHandler(this, &VnSNMPRequest2Edits::ListViewSelectItem))
      ListView->OnSelectItem = SavedOnSelectItem;
    if (ListView->OnSelectedItemPressed ==
        TLVItemHandler(this, &VnSNMPRequest2Edits::ListViewPressSelected))
      ListView->OnSelectedItemPressed = savedOnPressSelected_;
    UnwatchComponent(ListView);
    ListView = nullptr;
  }
}

void VnSNMPRequest2Edits::CheckItem(int item) const {
  if (item < 0 || item >= Request.VarList.Count())
    throw EListError(AnsiString::Format("List index out of bounds (%d)", item));
}

void VnSNMPRequest2Edits::CheckUnbound(TControl* control) const {
  if (!control) throw EInvalidOperation("No control to bind");
  for (const auto& b : Bindings)
    if (std::find(b->Controls.begin(), b->Controls.end(), control) != b->Controls.end())
      throw EInvalidOperation("The control " + control->Name() + " is already bound");
}

VnOptionList* VnSNMPRequest2Edits::EffectiveOptions(const ControlBinding& b) const {
  if (b.Options) return b.Options;
  const VnSNMPVarDesc* d = Request.VarList.Item(b.ItemIndex);
  if (b.PartOffset == 0 && b.Syntax == d->Syntax) return d->Options;
  return nullptr;
}

ControlBinding* VnSNMPRequest2Edits::AddBinding(std::unique_ptr<ControlBinding> binding) {
  ControlBinding* b = binding.get();
  b->SavedHandlers.resize(b->Controls.size());
  Bindings.push_back(std::move(binding));
  for (int k = 0; k < b->ControlCount(); ++k) {
    HookControl(*b, k);
    WatchComponent(b->Controls[static_cast<std::size_t>(k)]);
  }
  return b;
}

ControlBinding* VnSNMPRequest2Edits::AddControlBinding(int item, std::uint32_t offset,
                                                       std::uint32_t syntax, VnOptionList* options,
                                                       TControl* control) {
  CheckItem(item);
  CheckUnbound(control);
  auto b = std::make_unique<ControlBinding>();
  b->ItemIndex = item;
  b->PartOffset = offset;
  b->Syntax = syntax;
  b->Options = options;
  b->Controls.push_back(control);
  if (auto* combo = dynamic_cast<TComboBox*>(control)) {
    VnOptionList* list = EffectiveOptions(*b);
    if (!list) RaiseLibraryError(VNERR_NO_OPTION_LIST);
    if (list->ValueKind() == VnOptionList::Prefix) RaiseLibraryError(VNERR_TOO_FEW_CONTROLS);
    list->FillComboBox(combo);
  }
  return AddBinding(std::move(b));
}

ControlBinding* VnSNMPRequest2Edits::AddFormatBinding(int item, std::uint32_t offset,
                                                      std::uint32_t syntax, VnOptionList* options,
                                                      const AnsiString& format,
                                                      const std::vector<TEdit*>& edits) {
  CheckItem(item);
  const int count = CountFormatEdits(format);
  if (count < 1 || static_cast<int>(edits.size()) < count)
    RaiseLibraryError(VNERR_TOO_FEW_CONTROLS);
  TList list;
  for (int k = 0; k < count; ++k) {
    CheckUnbound(edits[static_cast<std::size_t>(k)]);
    for (int j = 0; j < k; ++j)
      if (edits[static_cast<std::size_t>(j)] == edits[static_cast<std::size_t>(k)])
        throw EInvalidOperation("The same edit box is bound twice");
    list.Add(edits[static_cast<std::size_t>(k)]);
  }
  EditConstraint->AddFormat(format, &list);
  if (count == 1 && offset == 0 && syntax == SNMP_SYNTAX_MACADDRESS)
    edits[0]->OnOverflow = TEditOverflowEvent(this, &VnSNMPRequest2Edits::TakeMacDigits);
  auto b = std::make_unique<ControlBinding>();
  b->ItemIndex = item;
  b->PartOffset = offset;
  b->Syntax = syntax;
  b->Options = options;
  b->Controls.assign(edits.begin(), edits.begin() + count);
  return AddBinding(std::move(b));
}

ControlBinding* VnSNMPRequest2Edits::AddElementBinding(int item, const AnsiString& indexList,
                                                       const std::vector<TControl*>& controls) {
  CheckItem(item);
  VnNumList<int> elements;
  elements.Delimiter = ',';
  elements.Parse(indexList.c_str());
  if (elements.Count() < 1 || static_cast<int>(controls.size()) < elements.Count())
    RaiseLibraryError(VNERR_TOO_FEW_CONTROLS);
  auto b = std::make_unique<ControlBinding>();
  b->ItemIndex = item;
  b->Syntax = Request.VarList.Item(item)->Syntax;
  b->HasElements = true;
  for (int k = 0; k < elements.Count(); ++k) {
    TControl* c = controls[static_cast<std::size_t>(k)];
    CheckUnbound(c);
    if (std::find(b->Controls.begin(), b->Controls.end(), c) != b->Controls.end())
      throw EInvalidOperation("The control " + c->Name() + " is bound twice");
    if (elements[k] < 0) RaiseLibraryError(VNERR_PART_INDEX_RANGE);
    b->Elements.push_back(elements[k]);
    b->Controls.push_back(c);
  }
  return AddBinding(std::move(b));
}

void VnSNMPRequest2Edits::BindLabel(int item, TLabel* label) {
  CheckItem(item);
  AddControlBinding(item, 0, Request.VarList.Item(item)->Syntax, nullptr, label);
}

void VnSNMPRequest2Edits::BindStaticText(int item, TStaticText* text) {
  CheckItem(item);
  AddControlBinding(item, 0, Request.VarList.Item(item)->Syntax, nullptr, text);
}

void VnSNMPRequest2Edits::BindComboBox(int item, TComboBox* combo) {
  CheckItem(item);
  CheckUnbound(combo);
  combo->SetStyle(csDropDownList);
  AddControlBinding(item, 0, Request.VarList.Item(item)->Syntax, nullptr, combo);
}

void VnSNMPRequest2Edits::BindEdits(int item, const AnsiString& format,
                                    const std::vector<TEdit*>& edits) {
  CheckItem(item);
  AddFormatBinding(item, 0, Request.VarList.Item(item)->Syntax, nullptr, format, edits);
}

void VnSNMPRequest2Edits::BindPartEdits(int item, std::uint32_t offset, std::uint32_t syntax,
                                        VnOptionList* options, const AnsiString& format,
                                        const std::vector<TEdit*>& edits) {
  AddFormatBinding(item, offset, syntax, options, format, edits);
}

void VnSNMPRequest2Edits::BindPartComboBox(int item, std::uint32_t offset, std::uint32_t syntax,
                                           VnOptionList* options, TComboBox* combo) {
  CheckItem(item);
  CheckUnbound(combo);
  combo->SetStyle(csDropDownList);
  AddControlBinding(item, offset, syntax, options, combo);
}

void VnSNMPRequest2Edits::BindCheckBox(int item, TCheckBox* box) {
  CheckItem(item);
  AddControlBinding(item, 0, Request.VarList.Item(item)->Syntax, nullptr, box);
}

void VnSNMPRequest2Edits::BindPartCheckBox(int item, std::uint32_t offset, std::uint32_t syntax,
                                           VnOptionList* options, TCheckBox* box) {
  AddControlBinding(item, offset, syntax, options, box);
}

void VnSNMPRequest2Edits::BindElements(int item, const AnsiString& indexList,
                                       const std::vector<TControl*>& controls) {
  AddElementBinding(item, indexList, controls);
}

void VnSNMPRequest2Edits::BindElementList(int item, const AnsiString& indexList, TList* controls) {
  std::vector<TControl*> list;
  if (controls)
    for (int k = 0; k < controls->Count(); ++k)
      list.push_back(static_cast<TControl*>(controls->Items(k)));
  AddElementBinding(item, indexList, list);
}

void VnSNMPRequest2Edits::SetConstraintWindow(TWinControl* window) {
  EditConstraint->SetWindow(window);
}

// ---- Event forwarding

void VnSNMPRequest2Edits::HookControl(ControlBinding& b, int k) {
  TControl* c = b.Controls[static_cast<std::size_t>(k)];
  TNotifyEvent forward(this, &VnSNMPRequest2Edits::ForwardEvent);
  if (auto* combo = dynamic_cast<TComboBox*>(c)) {
    b.SavedHandlers[static_cast<std::size_t>(k)] = combo->OnChange;
    combo->OnChange = forward;
  } else if (auto* check = dynamic_cast<TCheckBox*>(c)) {
    b.SavedHandlers[static_cast<std::size_t>(k)] = check->OnClick;
    check->OnClick = forward;
  }
}

// Puts the control's own handler back (only over our forwarding handler: a
// handler the form installed since stays) and takes an edit's input rule off.
void VnSNMPRequest2Edits::UnhookControl(ControlBinding& b, int k) {
  TControl* c = b.Controls[static_cast<std::size_t>(k)];
  const TNotifyEvent& saved = b.SavedHandlers[static_cast<std::size_t>(k)];
  TNotifyEvent forward(this, &VnSNMPRequest2Edits::ForwardEvent);
  if (auto* combo = dynamic_cast<TComboBox*>(c)) {
    if (combo->OnChange == forward) combo->OnChange = saved;
  } else if (auto* check = dynamic_cast<TCheckBox*>(c)) {
    if (check->OnClick == forward) check->OnClick = saved;
  } else if (auto* edit = dynamic_cast<TEdit*>(c)) {
    if (edit->OnOverflow == TEditOverflowEvent(this, &VnSNMPRequest2Edits::TakeMacDigits))
      edit->OnOverflow = nullptr;
    EditConstraint->Remove(edit);
  }
  UnwatchComponent(c);
}

// "00:11:22:33:44:55", "00-11-22-33-44-55", "0011.2233.4455": the way an
// address is copied from elsewhere; the edit shows the digits alone.
bool VnSNMPRequest2Edits::TakeMacDigits(TObject*, AnsiString& Text) {
  AnsiString digits;
  for (char c : Text.str()) {
    if (std::isxdigit(static_cast<unsigned char>(c)))
      digits += c;
    else if (c != ':' && c != '-' && c != '.' && c != ' ')
      return false;
  }
  if (digits.Length() != 12) return false;
  Text = digits;
  return true;
}

void VnSNMPRequest2Edits::ForwardEvent(TObject* Sender) {
  // Copies: the form's handler may unbind or bind controls.
  std::vector<TNotifyEvent> handlers;
  for (const auto& b : Bindings)
    for (int k = 0; k < b->ControlCount(); ++k)
      if (b->Controls[static_cast<std::size_t>(k)] == Sender &&
          b->SavedHandlers[static_cast<std::size_t>(k)])
        handlers.push_back(b->SavedHandlers[static_cast<std::size_t>(k)]);
  for (const TNotifyEvent& h : handlers) h(Sender);
}

void VnSNMPRequest2Edits::Unbind(int item) {
  for (std::size_t i = 0; i < Bindings.size();) {
    if (Bindings[i]->ItemIndex != item) {
      ++i;
      continue;
    }
    DropBinding(i, nullptr);
  }
}

// Removes a binding; `dead` is a control of it that is being destroyed and
// must not be touched.
void VnSNMPRequest2Edits::DropBinding(std::size_t index, TControl* dead) {
  std::unique_ptr<ControlBinding> b = std::move(Bindings[index]);
  Bindings.erase(Bindings.begin() + static_cast<std::ptrdiff_t>(index));
  for (int k = 0; k < b->ControlCount(); ++k) {
    TControl* c = b->Controls[static_cast<std::size_t>(k)];
    if (c != dead)
      UnhookControl(*b, k);
    else
      EditConstraint->Forget(c);  // its class is gone already: no casts
  }
}

void VnSNMPRequest2Edits::ComponentGone(TComponent* component) {
  if (component == ListView) {
    rowRecords_.clear();  // gone with their rows
    ListView = nullptr;
    SavedOnSelectItem = nullptr;
    savedOnPressSelected_ = nullptr;
  }
  auto* control = dynamic_cast<TControl*>(component);
  for (std::size_t i = 0; control && i < Bindings.size();) {
    const auto& c = Bindings[i]->Controls;
    if (std::find(c.begin(), c.end(), control) != c.end())
      DropBinding(i, control);
    else
      ++i;
  }
  VnSNMPRequest2Controls::ComponentGone(component);
}

void VnSNMPRequest2Edits::EnableControls(bool enable) {
  for (const auto& b : Bindings)
    for (TControl* c : b->Controls) c->SetEnabled(enable);
}
