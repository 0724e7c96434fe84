#include "forms/acl/AccessRuleForm.h"

#include "app/StackingPortUitFormUnit.h"
#include "forms/common/FeatureForm.h"
#include "library/VnSNMPRequest2Edits.h"
#include "library/VnSNMPVarList.h"
#include "platform/Classes.h"
#include "platform/ComCtrls.h"
#include "platform/Dialogs.h"
#include "platform/Exceptions.h"
#include "platform/ExtCtrls.h"
#include "platform/FormBuilder.h"
#include "platform/Layout.h"
#include "platform/StdCtrls.h"
#include "platform/SysUtils.h"

namespace {

constexpr const char* kChoosePort = "You must choose at least 1 port!";
constexpr const char* kPermitMustBeChecked = "Permit option must be checked.";
constexpr const char* kRowStateMustBeCreateAndGo =
    "Row State must be checked and set to createAndGo.";
constexpr const char* kVlanMustBeChecked = "VLAN option must be checked and input a specific VLAN.";

// InputError, but the focus moves only to an enabled control.
void RuleInputError(const AnsiString& message, TWinControl* control) {
  ShowMessage(message);
  if (control && control->Enabled()) FocusIfPossible(control);
}

}  // namespace

TAccessRuleForm::TAccessRuleForm(TComponent* AOwner) : TForm(AOwner) {}

void TAccessRuleForm::SetAllTicks(bool checked) {
  for (const auto& [box, item] : TickItems) box->SetChecked(checked);
}

void TAccessRuleForm::BuildRuleButtonColumn(TFormBuilder& B, TPanel*& panel, TStaticText*& count,
                                            const std::vector<TColumnButton>& buttons) {
  B.Add(panel, "Panel1").Align(alRight).Width(116).BevelOuter(bvNone);
  B.Parent(panel);
  std::vector<TControl*> column;
  for (size_t i = 0; i < buttons.size(); ++i) {
    if (i == 4) {
      B.Add(count, "StaticText1").Alignment(taCenter).Height(17);
      column.push_back(count);
    }
    const TColumnButton& b = buttons[i];
    B.Add(b.Button, b.Name).Caption(b.Caption).OnClick(b.OnClick);
    column.push_back(b.Button);
  }
  ArrangeColumn(column);
}

void TAccessRuleForm::BuildListPanel(TFormBuilder& B, TPanel*& panel, TListView*& list, int left,
                                     int top, int width, int height, TNotifyEvent onClick,
                                     TLVChangeEvent onChange) {
  B.Parent(this);
  B.Add(panel, "Panel2").Align(alClient).BevelOuter(bvNone);
  B.Parent(panel);
  B.Add(list, "ListView1").At(left, top, width, height).OnClick(onClick).OnChange(onChange);
}

TControl* TAccessRuleForm::TRuleRows::Label(const char* caption) {
  return B.Make<TLabel>("Label" + IntToStr(++count_)).Caption(caption).Get();
}

void TAccessRuleForm::TRuleRows::Edit(TCheckBox*& box, const char* boxName, TEdit*& field,
                                      const char* name, const char* caption) {
  TControl* l = Label(caption);
  TCheckBox* t = nullptr;
  if (boxName) {
    B.Add(box, boxName).Width(17);
    t = box;
  }
  B.Add(field, name);
  Rows.push_back({l, field, t});
}

void TAccessRuleForm::TRuleRows::Combo(TCheckBox*& box, const char* boxName, TComboBox*& field,
                                       const char* name, const char* caption) {
  TControl* l = Label(caption);
  B.Add(box, boxName).Width(17);
  B.Add(field, name).Style(csDropDownList);
  Rows.push_back({l, field, box});
}

TAccessRuleForm::~TAccessRuleForm() = default;

void TAccessRuleForm::ApplyFieldMasks(TSavedAccess&, bool) {}

void TAccessRuleForm::ReadAfterWrite() { ReadRules(); }

void TAccessRuleForm::CreateRuleRequest(const VnSNMPVarDesc* table) {
  PortFrame = CreatePortFrame(this, Rule.PortHost);
  Request = NewFormRequest(this, table, MVT_UMV, 2, true);
  Request->AttachListView(Rule.List, true);
  Request->BindElementList(Rule.PortItem, PortElementList(), PortFrame->PortCheckBoxes.get());
  if (Rule.StatusBarIsTarget) SetStatusTargetShown(*Request, Rule.StatusBar);
}

void TAccessRuleForm::ShowFailure(const AnsiString& text) {
  ShowFailureInStatusBar(Rule.StatusBar, text);
}

void TAccessRuleForm::ShowCount() { ShowRowCount(Rule.List, Rule.CountText); }

void TAccessRuleForm::ReadRules() {
  try {
    if (Request) Request->Get();
  } catch (const Exception& e) {
    ShowFailure(e.Message);
  }
  SetNoSelection();
  ClearRuleEdits();
}

void TAccessRuleForm::FirstRead() {
  try {
    if (Request) Request->Get();
  } catch (const Exception& e) {
    ShowFailure(e.Message);
  }
  ShowCount();
}

void TAccessRuleForm::SetNoSelection() {
  Rule.EditButton->SetEnabled(false);
  Rule.DeleteButton->SetEnabled(false);
  Rule.FirstKeyEdit->SetEnabled(true);
  Rule.AccessKeyEdit->SetEnabled(true);
  Rule.AddButton->SetEnabled(true);
}

void TAccessRuleForm::SetRowSelected() {
  Rule.EditButton->SetEnabled(true);
  Rule.DeleteButton->SetEnabled(true);
  Rule.FirstKeyEdit->SetEnabled(false);
  Rule.AccessKeyEdit->SetEnabled(false);
  Rule.AddButton->SetEnabled(false);
}

bool TAccessRuleForm::RuleListClick() {
  const int row = Rule.List->ItemIndex();
  if (Rule.List->Selected() && row >= 0) {
    Rule.FirstKeyEdit->SetText(ListCellText(Rule.List, row, 0));
    Rule.AccessKeyEdit->SetText(ListCellText(Rule.List, row, 1));
    SetRowSelected();
    return true;
  }
  SetNoSelection();
  ClearRuleEdits();
  return false;
}

bool TAccessRuleForm::CheckPortSelected() {
  int ticked = 0;
  if (PortFrame && PortFrame->PortCheckBoxes) {
    TList* boxes = PortFrame->PortCheckBoxes.get();
    for (int i = 0; i < boxes->Count() && i < 32; ++i) {
      auto* box = static_cast<TCheckBox*>(boxes->Items(i));
      if (box && box->Checked()) ++ticked;
    }
  }
  if (ticked > 0) return true;
  ShowMessage(kChoosePort);
  return false;
}

bool TAccessRuleForm::CheckKeys() {
  if (Rule.FirstKeyEdit->Text().IsEmpty()) {
    RuleInputError(Rule.FirstKeyMessage, Rule.FirstKeyEdit);
    return false;
  }
  if (Rule.AccessKeyEdit->Text().IsEmpty()) {
    RuleInputError(Rule.AccessKeyMessage, Rule.AccessKeyEdit);
    return false;
  }
  return true;
}

bool TAccessRuleForm::TickedFieldFilled(TCheckBox* tick, TWinControl* control,
                                        const char* message) {
  if (!tick || !tick->Checked()) return true;
  bool empty = false;
  if (auto* combo = dynamic_cast<TComboBox*>(control))
    empty = combo->ItemIndex() < 0;
  else if (auto* edit = dynamic_cast<TEdit*>(control))
    empty = edit->Text().IsEmpty();
  if (!empty) return true;
  RuleInputError(message, control);
  return false;
}

void TAccessRuleForm::MaskUnticked(TSavedAccess& saved) {
  for (const auto& [tick, item] : TickItems)
    if (!tick->Checked()) saved.Invalidate(item);
}

void TAccessRuleForm::ApplyPriorityFieldMask(TSavedAccess& saved, int priorityItem, int enableItem,
                                             TCheckBox* enableTick, TComboBox* enableCombo) {
  const bool comboDisabled = ComboText(enableCombo) == "disabled";
  const int row = Rule.List->ItemIndex();
  if (Rule.List->Selected() && row >= 0) {
    const AnsiString cell = ListCellText(Rule.List, row, enableItem);
    if (cell.IsEmpty()) return;
    if (enableTick->Checked() ? comboDisabled : cell == "disabled") saved.Invalidate(priorityItem);
    return;
  }
  if (!enableTick->Checked() || comboDisabled) saved.Invalidate(priorityItem);
}

void TAccessRuleForm::MaskUnusedProtocolFields(TSavedAccess& saved, TCheckBox* protocolTick,
                                               TComboBox* protocolCombo, int typeItem) {
  if (!protocolTick->Checked()) return;
  // Offsets from the Type item.
  enum : int { Type, Code, SourcePort, DestPort, FlagBits, ProtocolId, UserMask };
  std::vector<int> leftOut;
  switch (protocolCombo->ItemIndex()) {
    case 0:  // none
      leftOut = {Type, Code, SourcePort, DestPort, FlagBits, ProtocolId, UserMask};
      break;
    case 1:  // icmp
      leftOut = {Code, SourcePort, DestPort, FlagBits, ProtocolId, UserMask};
      break;
    case 2:  // igmp
      leftOut = {Type, SourcePort, DestPort, FlagBits, ProtocolId, UserMask};
      break;
    case 3:  // tcp
      leftOut = {Type, Code, ProtocolId, UserMask};
      break;
    case 4:  // udp
      leftOut = {Type, Code, FlagBits, ProtocolId, UserMask};
      break;
    case 5:  // protocolId
      leftOut = {Type, Code, SourcePort, DestPort, FlagBits};
      break;
    default:
      break;
  }
  for (int offset : leftOut) saved.Invalidate(typeItem + offset);
}

bool TAccessRuleForm::AddConditionsHold() {
  if (ListViewHasRow(Rule.List,
                     {{0, Rule.FirstKeyEdit->Text()}, {1, Rule.AccessKeyEdit->Text()}})) {
    RuleInputError(Rule.DuplicateMessage, Rule.FirstKeyEdit);
    return false;
  }
  if (Rule.VlanTick && !Rule.VlanTick->Checked()) {
    RuleInputError(kVlanMustBeChecked, Rule.VlanEdit);
    return false;
  }
  if (!Rule.PermitTick->Checked()) {
    RuleInputError(kPermitMustBeChecked, Rule.Permit);
    return false;
  }
  if (!Rule.RowTick->Checked() || Rule.RowStatus->ItemIndex() != kRuleCreateAndGo) {
    RuleInputError(kRowStateMustBeCreateAndGo, Rule.RowStatus);
    return false;
  }
  return true;
}

void TAccessRuleForm::WriteRule(TSavedAccess& saved) {
  try {
    Request->Set(false, true, "");
  } catch (const Exception& e) {
    saved.Restore();
    SetNoSelection();
    ClearRuleEdits();
    ShowFailure(e.Message);
    return;
  }
  saved.Restore();
  ReadAfterWrite();
}

void TAccessRuleForm::AddRule() {
  if (!Request || !ValidateRuleInput()) return;
  if (!AddConditionsHold()) return;
  TSavedAccess saved(*Request);
  MaskUnticked(saved);
  ApplyFieldMasks(saved, false);
  WriteRule(saved);
}

void TAccessRuleForm::EditRule() {
  if (!Request || !ValidateRuleInput()) return;
  TSavedAccess saved(*Request);
  if (Rule.RowTick->Checked() && Rule.RowStatus->ItemIndex() == kRuleDestroy) {
    // "destroy" chosen and ticked: the Edit removes the rule.
    saved.InvalidateAllBut({0, 1});
    Request->Request.VarList.Item(Rule.RowStatusItem)->Access = SNMP_ACCESS_READWRITE;
    WriteRule(saved);
    return;
  }
  MaskUnticked(saved);
  if (!Rule.PortWrittenOnEdit) saved.Invalidate(Rule.PortItem);
  ApplyFieldMasks(saved, true);
  WriteRule(saved);
}

void TAccessRuleForm::DeleteRule() {
  if (!Request) return;
  TSavedAccess saved(*Request);
  if (Rule.DeleteCarriesPorts)
    saved.InvalidateAllBut({0, 1, Rule.RowStatusItem, Rule.PortItem});
  else
    saved.InvalidateAllBut({0, 1, Rule.RowStatusItem});
  Rule.RowStatus->SetItemIndex(kRuleDestroy);
  WriteRule(saved);
}

void TAccessRuleForm::CloseRules() {
  if (Rule.List && Rule.List->Selected()) Rule.List->SetSelected(nullptr);
  StopWaitDelete(Request);
  delete PortFrame;
  PortFrame = nullptr;
}
