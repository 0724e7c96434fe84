#include "forms/acl/AccessRuleForm.h"

#include "catalogue/AclMib.h"
#include "forms/common/FeatureForm.h"
#include "forms/common/InputChecks.h"
#include "library/VnSNMPRequest2Edits.h"
#include "library/VnSNMPVarList.h"
#include "pages/StackingPortUitFormUnit.h"
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

// Positions in the row-status combo box, which every rule table fills with
// the same options.
constexpr int kRuleCreateAndGo = IPRuleRowStatusOption::kCreateAndGo;
constexpr int kRuleDestroy = IPRuleRowStatusOption::kDestroy;
static_assert(EthernetInformationRuleRowStatusOption::kCreateAndGo == kRuleCreateAndGo &&
              EthernetInformationRuleRowStatusOption::kDestroy == kRuleDestroy &&
              PktContentRuleRowStatusOption::kCreateAndGo == kRuleCreateAndGo &&
              PktContentRuleRowStatusOption::kDestroy == kRuleDestroy &&
              Ipv6RuleRowStatusOption::kCreateAndGo == kRuleCreateAndGo &&
              Ipv6RuleRowStatusOption::kDestroy == kRuleDestroy &&
              CPUFilterEthernetRuleRowStatusOption::kCreateAndGo == kRuleCreateAndGo &&
              CPUFilterEthernetRuleRowStatusOption::kDestroy == kRuleDestroy &&
              CPUFilterIPRuleRowStatusOption::kCreateAndGo == kRuleCreateAndGo &&
              CPUFilterIPRuleRowStatusOption::kDestroy == kRuleDestroy &&
              CPUFilterPktCntRuleRowStatusOption::kCreateAndGo == kRuleCreateAndGo &&
              CPUFilterPktCntRuleRowStatusOption::kDestroy == kRuleDestroy &&
              CPUFilterIPV6RuleRowStatusOption::kCreateAndGo == kRuleCreateAndGo &&
              CPUFilterIPV6RuleRowStatusOption::kDestroy == kRuleDestroy);

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

const int kRuleOwnerAcl = IPMaskInformationOwnerOption::kAcl;
static_assert(EthernetMaskInformationOwnerOption::kAcl == kRuleOwnerAcl &&
              IPv6MaskInfoOwnerOption::kAcl == kRuleOwnerAcl &&
              PktContentMaskOwnerOption::kAcl == kRuleOwnerAcl);

TAccessRuleForm::TAccessRuleForm(TComponent* AOwner) : TForm(AOwner) {}

void TAccessRuleForm::BuildRuleFrame(TFormBuilder& B, const TRuleFrame& frame,
                                     const std::vector<TColumnButton>& more) {
  using F = TAccessRuleForm;
  B.Form()
      .Caption(frame.Caption)
      .Size(frame.Width, frame.Height)
      .Position(poScreenCenter)
      .BorderStyle(bsSingle)
      .Font("MS Sans Serif", -11)
      .OnCreate(this, &F::FormCreate)
      .OnClose(this, &F::FormClose);
  SetName(frame.Name);

  B.Add(StatusBar1, "StatusBar1").Align(alBottom).Panels({50});
  B.Add(Panel1, "Panel1").Align(alRight).Width(116).BevelOuter(bvNone);
  B.Parent(Panel1);
  std::vector<TColumnButton> buttons = {
      {GetButton, "GetButton", "Refresh", TNotifyEvent(this, &F::GetButtonClick)},
      {EditButton, "EditButton", "Edit", TNotifyEvent(this, &F::EditButtonClick)},
      {AddButton, "AddButton", "Add", TNotifyEvent(this, &F::AddButtonClick)},
      {DeleteButton, "DeleteButton", "Delete", TNotifyEvent(this, &F::DeleteButtonClick)}};
  for (const TColumnButton& b : more) buttons.push_back(b);
  std::vector<TControl*> column;
  for (size_t i = 0; i < buttons.size(); ++i) {
    if (i == 4) {
      B.Add(StaticText1, "StaticText1").Alignment(taCenter).Height(17);
      column.push_back(StaticText1);
    }
    const TColumnButton& b = buttons[i];
    B.Add(b.Button, b.Name).Caption(b.Caption).OnClick(b.OnClick);
    column.push_back(b.Button);
  }
  ArrangeColumn(column);

  B.Parent(this);
  B.Add(Panel2, "Panel2").Align(alClient).BevelOuter(bvNone);
  B.Parent(Panel2);
  B.Add(ListView1, "ListView1")
      .At(8, 8, frame.ListWidth, frame.ListHeight)
      .OnClick(this, &F::ListView1Click);
}

void TAccessRuleForm::BuildPortPanel(TFormBuilder& B, int top, int height) {
  B.Add(StackingPortPanel, "StackingPortPanel")
      .At(8, top, ListView1->Width(), height)
      .BevelOuter(bvLowered);
}

TControl* TAccessRuleForm::TRuleRows::Label(const char* caption) {
  return B.Make<TLabel>("Label" + IntToStr(++count_)).Caption(caption).Get();
}

void TAccessRuleForm::TRuleRows::Edit(TCheckBox*& box, const char* boxName, TEdit*& field,
                                      const char* name, const char* caption, int width) {
  TControl* l = Label(caption);
  TCheckBox* t = nullptr;
  if (boxName) {
    B.Add(box, boxName).Width(17);
    t = box;
  }
  auto f = B.Add(field, name);
  if (width) f.Width(width);
  Rows.push_back({l, field, t});
}

void TAccessRuleForm::TRuleRows::Combo(TCheckBox*& box, const char* boxName, TComboBox*& field,
                                       const char* name, const char* caption, int width) {
  TControl* l = Label(caption);
  B.Add(box, boxName).Width(17);
  auto f = B.Add(field, name).Style(csDropDownList);
  if (width) f.Width(width);
  Rows.push_back({l, field, box});
}

void TAccessRuleForm::TRuleRows::CaptionedEdit(TCheckBox*& box, const char* boxName,
                                               const char* caption, int boxWidth, TEdit*& field,
                                               const char* name, int width) {
  B.Add(box, boxName).Caption(caption).Width(boxWidth);
  auto f = B.Add(field, name);
  if (width) f.Width(width);
  Rows.push_back({box, field, nullptr});
}

void TAccessRuleForm::TRuleRows::CaptionedCombo(TCheckBox*& box, const char* boxName,
                                                const char* caption, int boxWidth,
                                                TComboBox*& field, const char* name, int width) {
  B.Add(box, boxName).Caption(caption).Width(boxWidth);
  auto f = B.Add(field, name).Style(csDropDownList);
  if (width) f.Width(width);
  Rows.push_back({box, field, nullptr});
}

TAccessRuleForm::~TAccessRuleForm() = default;

void TAccessRuleForm::ApplyFieldMasks(TSavedAccess&, bool) {}

void TAccessRuleForm::ReadAfterWrite() {
  ReadRules();
  if (Rule.ReplaceDscpAfterWrite) ReplaceDscpChange();
}

void TAccessRuleForm::GetButtonClick(TObject*) {
  ReadRules();
  ReplaceDscpChange();
}

void TAccessRuleForm::AddButtonClick(TObject*) { AddRule(); }

void TAccessRuleForm::EditButtonClick(TObject*) { EditRule(); }

void TAccessRuleForm::DeleteButtonClick(TObject*) { DeleteRule(); }

void TAccessRuleForm::ListView1Click(TObject*) { RuleListClick(); }

void TAccessRuleForm::PermitComboBoxChange(TObject*) {}

void TAccessRuleForm::FormClose(TObject*, TCloseAction& Action) {
  CloseRules();
  Action = caFree;
}

void TAccessRuleForm::CreateRuleRequest(const VnSNMPVarDesc* table) {
  PortFrame = CreatePortFrame(this, StackingPortPanel);
  Request = NewFormRequest(this, table, VnItemType::MVT_UMV, 2, true);
  Request->AttachListView(ListView1, true);
  ClickFollowsSelection(*Request);
  Request->BindElementList(Rule.PortItem, PortElementList(), PortFrame->PortCheckBoxes.get());
  if (Rule.StatusBarIsTarget) SetStatusTargetShown(*Request, StatusBar1);
  Rows.Attach(
      *Request, ListView1, StaticText1,
      [this](bool rowSelected) {
        if (rowSelected)
          SetRowSelected();
        else
          SetNoSelection();
      },
      [this] { ShowNewEntry(); });
}

void TAccessRuleForm::ShowFailure(const AnsiString& text) {
  ShowFailureInStatusBar(StatusBar1, text);
}

void TAccessRuleForm::ShowCount() { ShowRowCount(ListView1, StaticText1); }

void TAccessRuleForm::ReadRules() {
  try {
    if (Request) Request->Get();
  } catch (const Exception& e) {
    ShowFailure(e.Message);
  }
  SetNoSelection();
  ShowNewEntry();
}

void TAccessRuleForm::ShowNewEntry() {
  ClearRuleEdits();
  newEntry_.Restore();
  // The DSCP value takes the look of the new entry's choice, as on opening.
  ReplaceDscpChange();
}

void TAccessRuleForm::FirstRead() {
  newEntry_.Remember(this);
  try {
    if (Request) Request->Get();
  } catch (const Exception& e) {
    ShowFailure(e.Message);
  }
  ShowCount();
}

void TAccessRuleForm::SetNoSelection() {
  EditButton->SetEnabled(false);
  DeleteButton->SetEnabled(false);
  Rule.FirstKeyEdit->SetEnabled(true);
  Rule.AccessKeyEdit->SetEnabled(true);
  AddButton->SetEnabled(true);
}

void TAccessRuleForm::SetRowSelected() {
  EditButton->SetEnabled(true);
  DeleteButton->SetEnabled(true);
  Rule.FirstKeyEdit->SetEnabled(false);
  Rule.AccessKeyEdit->SetEnabled(false);
  AddButton->SetEnabled(false);
}

bool TAccessRuleForm::RuleListClick() {
  const int row = ListView1->ItemIndex();
  if (ListView1->Selected() && row >= 0) {
    Rule.FirstKeyEdit->SetText(ListCellText(ListView1, row, 0));
    Rule.AccessKeyEdit->SetText(ListCellText(ListView1, row, 1));
    SetRowSelected();
    return true;
  }
  SetNoSelection();
  ShowNewEntry();
  return false;
}

bool TAccessRuleForm::LeftAlone(int item) const {
  return item >= 0 && Request && !ItemEntered(*Request, item);
}

bool TAccessRuleForm::LeftAlone(const TControl* control) const {
  return Request && !FieldEntered(Request.get(), control);
}

bool TAccessRuleForm::CheckPortSelected() {
  if (LeftAlone(Rule.PortItem)) return true;
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
  if (!tick || !tick->Checked() || LeftAlone(control)) return true;
  bool empty = false;
  if (auto* combo = dynamic_cast<TComboBox*>(control))
    empty = combo->ItemIndex() < 0;
  else if (auto* edit = dynamic_cast<TEdit*>(control))
    empty = edit->Text().IsEmpty();
  if (!empty) return true;
  RuleInputError(message, control);
  return false;
}

bool TAccessRuleForm::TickedFieldsFilled(
    std::initializer_list<std::pair<TCheckBox*, TWinControl*>> fields, const char* message) {
  for (const auto& [tick, control] : fields)
    if (!TickedFieldFilled(tick, control, message)) return false;
  return true;
}

bool TAccessRuleForm::TickedHexDigits(TCheckBox* tick, TEdit* edit, int digits,
                                      const char* message) {
  if (!tick->Checked() || LeftAlone(edit) || ValidateHexDigits(edit->Text(), digits, message))
    return true;
  if (edit->Enabled()) FocusIfPossible(edit);
  return false;
}

bool TAccessRuleForm::RxRateInRange() {
  TEdit* rate = Rule.Actions.RxRate;
  if (!Rule.Actions.RxRateTick->Checked() || LeftAlone(rate)) return true;
  const int value = StrToIntDef(rate->Text(), -1);
  if (value >= 0 && value <= kRxRateMax) return true;
  ShowMessage(kRxRateRange);
  if (rate->Enabled()) FocusIfPossible(rate);
  return false;
}

void TAccessRuleForm::PriorityChange(bool otherTextDisables) {
  const TRuleActions& a = Rule.Actions;
  const AnsiString text = ComboText(a.EnablePriority);
  if (!otherTextDisables && text != "enabled" && text != "disabled") return;
  const bool enabled = text == "enabled";
  a.PriorityTick->SetEnabled(enabled);
  a.PriorityTick->SetChecked(false);
  a.Priority->SetEnabled(enabled);
}

void TAccessRuleForm::ReplaceDscpChange() {
  const TRuleActions& a = Rule.Actions;
  if (!a.ReplaceDscp) return;
  const AnsiString text = ComboText(a.ReplaceDscp);
  if (text == "disabled") {
    DisableValueEdit(a.DscpValue);
    a.DscpValueTick->SetChecked(false);
    a.DscpValueTick->SetEnabled(false);
    a.ReplaceDscpTick->SetChecked(false);
  } else {
    // Enabled, or no choice (a new entry, a row with a state the list
    // lacks): the value is open, as the form opens it.
    EnableValueEdit(a.DscpValue);
    a.DscpValueTick->SetEnabled(true);
    a.ReplaceDscpTick->SetEnabled(true);
  }
}

void TAccessRuleForm::MaskUnticked(TSavedAccess& saved) {
  for (const auto& [tick, item] : TickItems)
    if (!tick->Checked()) saved.Invalidate(item);
}

void TAccessRuleForm::ApplyPriorityFieldMask(TSavedAccess& saved, int priorityItem, int enableItem,
                                             TCheckBox* enableTick, TComboBox* enableCombo) {
  const bool comboDisabled = ComboText(enableCombo) == "disabled";
  const int row = ListView1->ItemIndex();
  if (ListView1->Selected() && row >= 0) {
    const AnsiString cell = ListCellText(ListView1, row, enableItem);
    if (cell.IsEmpty()) return;
    if (enableTick->Checked() ? comboDisabled : cell == "disabled") saved.Invalidate(priorityItem);
    return;
  }
  if (!enableTick->Checked() || comboDisabled) saved.Invalidate(priorityItem);
}

void TAccessRuleForm::MaskUnusedProtocolFields(TSavedAccess& saved, TCheckBox* protocolTick,
                                               TComboBox* protocolCombo, int typeItem) {
  if (!protocolTick->Checked()) return;
  // Offsets from the Type item, alike in the IP rule tables.
  enum : int { Type, Code, SourcePort, DestPort, FlagBits, ProtocolId, UserMask };
  namespace Ip = IPRuleItem;
  namespace Cpu = CPUFilterIPRuleItem;
  static_assert(Ip::kCode - Ip::kType == Code && Ip::kSourcePort - Ip::kType == SourcePort &&
                Ip::kDestinationPort - Ip::kType == DestPort &&
                Ip::kFlagBits - Ip::kType == FlagBits &&
                Ip::kProtocolID - Ip::kType == ProtocolId && Ip::kUserMask - Ip::kType == UserMask);
  static_assert(
      Cpu::kCode - Cpu::kType == Code && Cpu::kSourcePort - Cpu::kType == SourcePort &&
      Cpu::kDestinationPort - Cpu::kType == DestPort && Cpu::kFlagBits - Cpu::kType == FlagBits &&
      Cpu::kProtocolID - Cpu::kType == ProtocolId && Cpu::kUserMask - Cpu::kType == UserMask);
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
  if (ListViewHasRow(ListView1,
                     {{0, Rule.FirstKeyEdit->Text()}, {1, Rule.AccessKeyEdit->Text()}})) {
    RuleInputError(Rule.DuplicateMessage, Rule.FirstKeyEdit);
    return false;
  }
  if (Rule.VlanTick && !Rule.VlanTick->Checked()) {
    RuleInputError(kVlanMustBeChecked, Rule.VlanEdit);
    return false;
  }
  if (!cbxPermit->Checked()) {
    RuleInputError(kPermitMustBeChecked, PermitComboBox);
    return false;
  }
  if (!cbxRow->Checked() || RowComboBox->ItemIndex() != kRuleCreateAndGo) {
    RuleInputError(kRowStateMustBeCreateAndGo, RowComboBox);
    return false;
  }
  return true;
}

bool TAccessRuleForm::WriteRule(TSavedAccess& saved, const std::function<void()>& first) {
  // Not taken, the fields keep what the user typed; where the user left the
  // row's fields alone there is nothing typed to keep, and they are those of
  // a new entry, as with no row selected.
  const bool taken = Rows.WriteControls(
      Request, saved, [this](const AnsiString& message) { ShowFailure(message); }, first);
  if (taken) ReadAfterWrite();
  return taken;
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
  if (cbxRow->Checked() && RowComboBox->ItemIndex() == kRuleDestroy) {
    // "destroy" chosen and ticked: the Edit removes the rule.
    saved.InvalidateAllBut({0, 1});
    Request->Request.VarList.Item(Rule.RowStatusItem)->Access = SNMP_ACCESS_READWRITE;
    WriteRule(saved);
    return;
  }
  MaskUnticked(saved);
  if (!Rule.PortWrittenOnEdit && LeftAlone(Rule.PortItem)) saved.Invalidate(Rule.PortItem);
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
  WriteRule(saved, [this] { RowComboBox->SetItemIndex(kRuleDestroy); });
}

void TAccessRuleForm::CloseRules() {
  if (ListView1 && ListView1->Selected()) ListView1->SetSelected(nullptr);
  StopWaitDelete(Request);
  delete PortFrame;
  PortFrame = nullptr;
}
