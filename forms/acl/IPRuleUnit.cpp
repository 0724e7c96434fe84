#include "forms/acl/IPRuleUnit.h"

#include <vector>

#include "app/FormOpeners.h"
#include "app/StackingPortUitFormUnit.h"
#include "app/mibdefs/AclMib.h"
#include "forms/common/FeatureForm.h"
#include "forms/common/InputChecks.h"
#include "library/VnSNMPRequest2Edits.h"
#include "platform/ComCtrls.h"
#include "platform/Dialogs.h"
#include "platform/Exceptions.h"
#include "platform/ExtCtrls.h"
#include "platform/FormBuilder.h"
#include "platform/Layout.h"
#include "platform/StdCtrls.h"
#include "platform/SysUtils.h"

TIPRuleForm* IPRuleForm = nullptr;
VN_REGISTER_FORM_OPENER(TIPRuleForm, &IPRuleForm);

namespace {

// Items of the IP rule table.
enum : int {
  kProfileId = 0,
  kAccessId = 1,
  kVlan = 2,
  kSourceIp = 3,
  kDestIp = 4,
  kDscp = 5,
  kProtocol = 6,
  kType = 7,
  kCode = 8,
  kSourcePort = 9,
  kDestPort = 10,
  kFlagBits = 11,
  kProtocolId = 12,
  kUserMask = 13,
  kEnablePriority = 14,
  kPriority = 15,
  kEnableReplaceDscp = 16,
  kReplaceDscp = 17,
  kPermit = 18,
  kPorts = 19,
  kRowStatus = 20,
  kRxRate = 21,
  kSourceMac = 22,
};

constexpr const char* kFieldEmpty = "Some checked field is empty";
constexpr const char* kInvalidUserMask = "Invalid User Mask";

}  // namespace

TIPRuleForm::TIPRuleForm(TComponent* AOwner) : TAccessRuleForm(AOwner) {
  BuildComponents();
  ScaleFormForScreen(this);
  Rule.List = ListView1;
  Rule.FirstKeyEdit = IPRuleEdit;
  Rule.AccessKeyEdit = AccessIDEdit;
  Rule.AddButton = AddButton;
  Rule.EditButton = EditButton;
  Rule.DeleteButton = DeleteButton;
  Rule.CountText = StaticText1;
  Rule.PortHost = StackingPortPanel;
  Rule.StatusBar = StatusBar1;
  Rule.RowStatus = RowComboBox;
  Rule.RowTick = cbxRow;
  Rule.Permit = PermitComboBox;
  Rule.PermitTick = cbxPermit;
  Rule.RowStatusItem = kRowStatus;
  Rule.PortItem = kPorts;
  Rule.FirstKeyMessage = "IP Rule ID must be set.";
  Rule.AccessKeyMessage = "IP Rule Access ID must be set.";
  Rule.DuplicateMessage =
      "Has already a record with the same IP Rule ID and Access ID. Please change eithor of them.";
  Rule.PortWrittenOnEdit = false;
  Rule.StatusBarIsTarget = false;
  TickItems = {{cbxVlan, kVlan},
               {cbxSourceIP, kSourceIp},
               {cbxDestIP, kDestIp},
               {cbxDscp, kDscp},
               {cbxProtocol, kProtocol},
               {cbxType, kType},
               {cbxCode, kCode},
               {cbxSourcePort, kSourcePort},
               {cbxDestPort, kDestPort},
               {cbxFBs, kFlagBits},
               {cbxProtocolID, kProtocolId},
               {cbxUserMask, kUserMask},
               {cbxEnablePriority, kEnablePriority},
               {cbxPriority, kPriority},
               {cbxEnableReplaceDscp, kEnableReplaceDscp},
               {cbxValue, kReplaceDscp},
               {cbxPermit, kPermit},
               {cbxRxRate, kRxRate},
               {cbxRow, kRowStatus}};
}

TIPRuleForm::~TIPRuleForm() = default;

void TIPRuleForm::BuildComponents() {
  TFormBuilder B(this);
  B.Form()
      .Caption("IP Rule")
      .Size(827, 681)
      .Position(poScreenCenter)
      .BorderStyle(bsSingle)
      .Font("MS Sans Serif", -11)
      .OnCreate(this, &TIPRuleForm::FormCreate)
      .OnClose(this, &TIPRuleForm::FormClose);
  SetName("IPRuleForm");

  B.Add(StatusBar1, "StatusBar1").Align(alBottom).Panels({50});
  BuildRuleButtonColumn(
      B, Panel1, StaticText1,
      {{GetButton, "GetButton", "Refresh", TNotifyEvent(this, &TIPRuleForm::GetButtonClick)},
       {EditButton, "EditButton", "Edit", TNotifyEvent(this, &TIPRuleForm::EditButtonClick)},
       {AddButton, "AddButton", "Add", TNotifyEvent(this, &TIPRuleForm::AddButtonClick)},
       {DeleteButton, "DeleteButton", "Delete",
        TNotifyEvent(this, &TIPRuleForm::DeleteButtonClick)},
       {CheckButton, "CheckButton", "Check All",
        TNotifyEvent(this, &TIPRuleForm::CheckButtonClick)},
       {UncheckButton, "UncheckButton", "Clear Checks",
        TNotifyEvent(this, &TIPRuleForm::UncheckButtonClick)}});
  BuildListPanel(B, Panel2, ListView1, 8, 8, 695, 150,
                 TNotifyEvent(this, &TIPRuleForm::ListView1Click),
                 TLVChangeEvent(this, &TIPRuleForm::ListView1Change));

  std::vector<TFieldRow> rows;
  int n = 0;
  auto label = [&](const char* caption) {
    return B.Make<TLabel>("Label" + IntToStr(++n)).Caption(caption).Get();
  };
  // A row whose tick box carries the caption stands in the label's place.
  auto captioned = [&](TCheckBox*& box, const char* boxName, const char* caption) {
    B.Add(box, boxName).Caption(caption).Width(90);
    return box;
  };
  auto tick = [&](TCheckBox*& box, const char* boxName) {
    B.Add(box, boxName).Width(17);
    return box;
  };
  auto edit = [&](TCheckBox*& box, const char* boxName, TEdit*& field, const char* name,
                  const char* caption) {
    TControl* l = label(caption);
    TCheckBox* t = boxName ? tick(box, boxName) : nullptr;
    B.Add(field, name);
    rows.push_back({l, field, t});
  };
  auto combo = [&](TCheckBox*& box, const char* boxName, TComboBox*& field, const char* name,
                   const char* caption) {
    TControl* l = label(caption);
    TCheckBox* t = tick(box, boxName);
    B.Add(field, name).Style(csDropDownList);
    rows.push_back({l, field, t});
  };
  auto tickEdit = [&](TCheckBox*& box, const char* boxName, const char* caption, TEdit*& field,
                      const char* name) {
    TControl* l = captioned(box, boxName, caption);
    B.Add(field, name);
    rows.push_back({l, field, nullptr});
  };
  TCheckBox* none = nullptr;
  edit(none, nullptr, IPRuleEdit, "IPRuleEdit", "IP Rule ID");
  edit(none, nullptr, AccessIDEdit, "AccessIDEdit", "IP Rule Access ID");
  tickEdit(cbxVlan, "cbxVlan", "Rule VLAN", VLANEdit, "VLANEdit");
  edit(cbxSourceIP, "cbxSourceIP", SourceIPEdit, "SourceIPEdit", "Source IP Address");
  edit(cbxDestIP, "cbxDestIP", DestIPEdit, "DestIPEdit", "Destination IP Address");
  edit(cbxDscp, "cbxDscp", DSCPEdit, "DSCPEdit", "DSCP");
  combo(cbxProtocol, "cbxProtocol", ProtocolComboBox, "ProtocolComboBox", "Rule Protocol");
  tickEdit(cbxType, "cbxType", "Type", TypeEdit, "TypeEdit");
  tickEdit(cbxCode, "cbxCode", "Code", CodeEdit, "CodeEdit");
  edit(cbxSourcePort, "cbxSourcePort", SourcePortEdit, "SourcePortEdit", "Source Port");
  edit(cbxDestPort, "cbxDestPort", DestPortEdit, "DestPortEdit", "Destination Port");
  edit(cbxFBs, "cbxFBs", FlagEdit, "FlagEdit", "Flag Bits");
  edit(cbxProtocolID, "cbxProtocolID", ProtocolIDEdit, "ProtocolIDEdit", "Protocol ID");
  edit(cbxUserMask, "cbxUserMask", UserMaskEdit, "UserMaskEdit", "User Mask");
  combo(cbxEnablePriority, "cbxEnablePriority", PriorityComboBox, "PriorityComboBox",
        "Enable Priority");
  edit(cbxPriority, "cbxPriority", PriorityEdit, "PriorityEdit", "Priority");
  combo(cbxEnableReplaceDscp, "cbxEnableReplaceDscp", EnableReplComboBox, "EnableReplComboBox",
        "Enable Replace DSCP");
  edit(cbxValue, "cbxValue", DSCPValueEdit, "DSCPValueEdit", "Replace DSCP");
  combo(cbxPermit, "cbxPermit", PermitComboBox, "PermitComboBox", "Permit");
  edit(cbxRxRate, "cbxRxRate", RxRateEdit, "RxRateEdit", "RX Rate");
  combo(cbxRow, "cbxRow", RowComboBox, "RowComboBox", "Row Status");
  edit(none, nullptr, SrcMacAddressEdit, "SrcMacAddressEdit", "Source MAC Address");
  SrcMacAddressEdit->SetEnabled(false);
  PriorityComboBox->OnChange = TNotifyEvent(this, &TIPRuleForm::PriorityComboBoxChange);
  EnableReplComboBox->OnChange = TNotifyEvent(this, &TIPRuleForm::EnableReplComboBoxChange);
  PermitComboBox->OnChange = TNotifyEvent(this, &TIPRuleForm::PermitComboBoxChange);
  B.Add(OwnerLabel, "OwnerLabel").Caption("Owner").Hidden();
  B.Add(OwnerComboBox, "OwnerComboBox").Style(csDropDownList).Enabled(false).Hidden();

  TFieldLayout layout;
  layout.Left = 8;
  layout.Top = 166;
  layout.Gap = 4;
  layout.FieldWidth = 110;
  layout.Columns = 2;
  layout.ColumnGap = 24;
  const TRect fields = ArrangeFieldRows(rows, layout);

  B.Add(StackingPortPanel, "StackingPortPanel")
      .At(8, fields.Bottom + 8, 695, 150)
      .BevelOuter(bvLowered);
}

void TIPRuleForm::FormCreate(TObject*) {
  try {
    CreateRuleRequest(IPRuleVars);
    Request->BindEdits(kProfileId, "%i{n1x200}", IPRuleEdit);
    Request->BindEdits(kAccessId, "%i{n1x200}", AccessIDEdit);
    Request->BindEdits(kVlan, "%s{l32}", VLANEdit);
    Request->BindEdits(kSourceIp, "%s{l16}", SourceIPEdit);
    Request->BindEdits(kDestIp, "%s{l16}", DestIPEdit);
    Request->BindEdits(kDscp, "%i{n0x63l2}", DSCPEdit);
    Request->BindComboBox(kProtocol, ProtocolComboBox);
    Request->BindEdits(kType, "%i{n0x255}", TypeEdit);
    Request->BindEdits(kCode, "%i{n0x255}", CodeEdit);
    Request->BindEdits(kSourcePort, "%i{n0x65535l5}", SourcePortEdit);
    Request->BindEdits(kDestPort, "%i{n0x65535l5}", DestPortEdit);
    Request->BindEdits(kFlagBits, "%i{n0x63l2}", FlagEdit);
    Request->BindEdits(kProtocolId, "%i{n0x255l3}", ProtocolIDEdit);
    Request->BindEdits(kUserMask, "%s", UserMaskEdit);
    Request->BindComboBox(kEnablePriority, PriorityComboBox);
    Request->BindEdits(kPriority, "%i{n0x7l1}", PriorityEdit);
    Request->BindComboBox(kEnableReplaceDscp, EnableReplComboBox);
    Request->BindEdits(kReplaceDscp, "%i{n0x63l2}", DSCPValueEdit);
    Request->BindComboBox(kPermit, PermitComboBox);
    Request->BindComboBox(kRowStatus, RowComboBox);
    Request->BindEdits(kRxRate, "%i{n0x156249}", RxRateEdit);
    Request->BindEdits(kSourceMac, "%s", SrcMacAddressEdit);
  } catch (const Exception& e) {
    ShowFailureInStatusBar(StatusBar1, e.Message);
  }
  for (TEdit* e : {IPRuleEdit, VLANEdit, AccessIDEdit, SourceIPEdit, DestIPEdit, DSCPEdit,
                   SourcePortEdit, DestPortEdit, FlagEdit, ProtocolIDEdit, UserMaskEdit,
                   PriorityEdit, DSCPValueEdit, RxRateEdit, TypeEdit, CodeEdit})
    e->SetText("");
  ProtocolComboBox->SetItemIndex(0);  // none
  PriorityComboBox->SetItemIndex(1);  // disabled
  PermitComboBox->SetItemIndex(kRulePermit);
  PriorityComboBoxChange(nullptr);
  EnableReplComboBoxChange(nullptr);  // no item chosen yet: no change
  RowComboBox->SetItemIndex(kRuleCreateAndGo);
  OwnerComboBox->SetItemIndex(1);  // an empty list: stays unchosen
  SetNoSelection();
  FirstRead();
}

std::vector<TCheckBox*> TIPRuleForm::FieldTicks() const {
  return {cbxVlan,
          cbxSourceIP,
          cbxDestIP,
          cbxDscp,
          cbxProtocol,
          cbxSourcePort,
          cbxDestPort,
          cbxFBs,
          cbxProtocolID,
          cbxUserMask,
          cbxEnablePriority,
          cbxPriority,
          cbxEnableReplaceDscp,
          cbxValue,
          cbxPermit,
          cbxRxRate,
          cbxRow,
          cbxCode,
          cbxType};
}

void TIPRuleForm::ClearRuleEdits() {
  for (TEdit* e : {IPRuleEdit, AccessIDEdit, VLANEdit, SourceIPEdit, DestIPEdit, DSCPEdit,
                   SourcePortEdit, DestPortEdit, FlagEdit, ProtocolIDEdit, UserMaskEdit,
                   PriorityEdit, DSCPValueEdit, RxRateEdit, SrcMacAddressEdit, TypeEdit, CodeEdit})
    e->SetText("");
  for (TCheckBox* box : FieldTicks())
    if (box != cbxPriority || box->Enabled()) box->SetChecked(false);
  for (TControl* c : std::initializer_list<TControl*>{ProtocolComboBox, cbxProtocol, cbxType,
                                                      TypeEdit, CodeEdit, cbxCode})
    c->SetEnabled(true);
  if (PortFrame) PortFrame->ClearPorts();
  ShowCount();
}

void TIPRuleForm::GetButtonClick(TObject*) {
  ReadRules();
  EnableReplComboBoxChange(nullptr);
}

bool TIPRuleForm::ValidateRuleInput() {
  if (!CheckKeys()) return false;
  if (!TickedFieldFilled(cbxVlan, VLANEdit, kFieldEmpty)) return false;
  auto address = [&](TCheckBox* box, TEdit* edit) {
    if (!TickedFieldFilled(box, edit, kFieldEmpty)) return false;
    if (!box->Checked() || ValidateIpAddressText(edit->Text())) return true;
    if (edit->Enabled()) FocusIfPossible(edit);
    return false;
  };
  if (!address(cbxSourceIP, SourceIPEdit) || !address(cbxDestIP, DestIPEdit)) return false;
  const std::pair<TCheckBox*, TWinControl*> middle[] = {
      {cbxDscp, DSCPEdit}, {cbxProtocol, ProtocolComboBox}, {cbxType, TypeEdit},
      {cbxCode, CodeEdit}, {cbxSourcePort, SourcePortEdit}, {cbxDestPort, DestPortEdit},
      {cbxFBs, FlagEdit},  {cbxProtocolID, ProtocolIDEdit}};
  for (const auto& [box, control] : middle)
    if (!TickedFieldFilled(box, control, kFieldEmpty)) return false;
  if (!TickedFieldFilled(cbxUserMask, UserMaskEdit, kFieldEmpty)) return false;
  if (cbxUserMask->Checked() && !ValidateHexDigits(UserMaskEdit->Text(), 8, kInvalidUserMask)) {
    if (UserMaskEdit->Enabled()) FocusIfPossible(UserMaskEdit);
    return false;
  }
  const std::pair<TCheckBox*, TWinControl*> actions[] = {{cbxEnablePriority, PriorityComboBox},
                                                         {cbxPriority, PriorityEdit},
                                                         {cbxEnableReplaceDscp, EnableReplComboBox},
                                                         {cbxValue, DSCPValueEdit},
                                                         {cbxPermit, PermitComboBox},
                                                         {cbxRxRate, RxRateEdit}};
  for (const auto& [box, control] : actions)
    if (!TickedFieldFilled(box, control, kFieldEmpty)) return false;
  if (cbxRxRate->Checked()) {
    const int rate = StrToIntDef(RxRateEdit->Text(), -1);
    if (rate < 0 || rate > kRxRateMax) {
      ShowMessage(kRxRateRange);
      if (RxRateEdit->Enabled()) FocusIfPossible(RxRateEdit);
      return false;
    }
  }
  if (!TickedFieldFilled(cbxRow, RowComboBox, kFieldEmpty)) return false;
  return CheckPortSelected();
}

void TIPRuleForm::ApplyProtocolFieldMask(TSavedAccess& saved) {
  MaskUnusedProtocolFields(saved, cbxProtocol, ProtocolComboBox, kType);
}

void TIPRuleForm::ApplyFieldMasks(TSavedAccess& saved, bool) {
  ApplyProtocolFieldMask(saved);
  ApplyPriorityFieldMask(saved, kPriority, kEnablePriority, cbxEnablePriority, PriorityComboBox);
}

void TIPRuleForm::AddButtonClick(TObject*) { AddRule(); }

void TIPRuleForm::EditButtonClick(TObject*) { EditRule(); }

void TIPRuleForm::DeleteButtonClick(TObject*) { DeleteRule(); }

void TIPRuleForm::CheckButtonClick(TObject*) {
  for (TCheckBox* box : FieldTicks())
    if (box != cbxPriority || box->Enabled()) box->SetChecked(true);
}

void TIPRuleForm::UncheckButtonClick(TObject*) {
  for (TCheckBox* box : FieldTicks())
    if (box != cbxPriority || box->Enabled()) box->SetChecked(false);
}

void TIPRuleForm::ListView1Click(TObject*) {
  const bool selected = RuleListClick();
  ProtocolComboBox->SetEnabled(true);
  cbxProtocol->SetChecked(false);
  cbxProtocol->SetEnabled(true);
  PriorityComboBoxChange(nullptr);
  for (TCheckBox* box : {cbxType, cbxCode}) {
    box->SetEnabled(true);
    box->SetChecked(false);
  }
  TypeEdit->SetEnabled(true);
  CodeEdit->SetEnabled(true);
  if (selected) EnableReplComboBoxChange(nullptr);
}

void TIPRuleForm::ListView1Change(TObject*, TListItem*, TItemChange) { ShowCount(); }

void TIPRuleForm::PriorityComboBoxChange(TObject*) {
  const AnsiString text = ComboText(PriorityComboBox);
  if (text != "enabled" && text != "disabled") return;
  const bool enabled = text == "enabled";
  cbxPriority->SetEnabled(enabled);
  cbxPriority->SetChecked(false);
  PriorityEdit->SetEnabled(enabled);
}

void TIPRuleForm::EnableReplComboBoxChange(TObject*) {
  const AnsiString text = ComboText(EnableReplComboBox);
  if (text == "disabled") {
    DisableValueEdit(DSCPValueEdit);
    cbxEnableReplaceDscp->SetChecked(false);
    cbxValue->SetEnabled(false);
    cbxValue->SetChecked(false);
  } else if (text == "enabled") {
    EnableValueEdit(DSCPValueEdit);
    cbxEnableReplaceDscp->SetEnabled(true);
    cbxValue->SetEnabled(true);
  }
}

void TIPRuleForm::PermitComboBoxChange(TObject*) {}

void TIPRuleForm::FormClose(TObject*, TCloseAction& Action) {
  CloseRules();
  Action = caFree;
}
