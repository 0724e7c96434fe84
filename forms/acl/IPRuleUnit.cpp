#include "forms/acl/IPRuleUnit.h"

#include <vector>

#include "catalogue/AclMib.h"
#include "forms/common/FeatureForm.h"
#include "forms/common/InputChecks.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "pages/StackingPortUitFormUnit.h"
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

namespace Item = IPRuleItem;

constexpr const char* kFieldEmpty = "Some checked field is empty";
constexpr const char* kInvalidUserMask = "Invalid User Mask";

}  // namespace

TIPRuleForm::TIPRuleForm(TComponent* AOwner) : TAccessRuleForm(AOwner) {
  BuildComponents();
  ScaleFormForScreen(this);
  Rule.FirstKeyEdit = IPRuleEdit;
  Rule.AccessKeyEdit = AccessIDEdit;
  Rule.Actions = {
      PriorityComboBox, cbxPriority,   PriorityEdit, EnableReplComboBox, cbxEnableReplaceDscp,
      cbxValue,         DSCPValueEdit, cbxRxRate,    RxRateEdit};
  Rule.RowStatusItem = Item::kRowStatus;
  Rule.PortItem = Item::kPort;
  Rule.FirstKeyMessage = "IP Rule ID must be set.";
  Rule.AccessKeyMessage = "IP Rule Access ID must be set.";
  Rule.DuplicateMessage =
      "Has already a record with the same IP Rule ID and Access ID. Please change eithor of them.";
  Rule.PortWrittenOnEdit = false;
  Rule.StatusBarIsTarget = false;
  TickItems = {{cbxVlan, Item::kRuleVLAN},
               {cbxSourceIP, Item::kSourceIPAddress},
               {cbxDestIP, Item::kDestinationIPAddress},
               {cbxDscp, Item::kDSCP},
               {cbxProtocol, Item::kProtocol},
               {cbxType, Item::kType},
               {cbxCode, Item::kCode},
               {cbxSourcePort, Item::kSourcePort},
               {cbxDestPort, Item::kDestinationPort},
               {cbxFBs, Item::kFlagBits},
               {cbxProtocolID, Item::kProtocolID},
               {cbxUserMask, Item::kUserMask},
               {cbxEnablePriority, Item::kEnablePriority},
               {cbxPriority, Item::kPriority},
               {cbxEnableReplaceDscp, Item::kEnableReplaceDSCP},
               {cbxValue, Item::kReplaceDSCP},
               {cbxPermit, Item::kPermit},
               {cbxRxRate, Item::kRXRate},
               {cbxRow, Item::kRowStatus}};
}

TIPRuleForm::~TIPRuleForm() = default;

void TIPRuleForm::BuildComponents() {
  TFormBuilder B(this);
  BuildRuleFrame(B, {"IPRuleForm", "IP Rule", 827, 681, 695, 150},
                 {{CheckButton, "CheckButton", "Check All",
                   TNotifyEvent(this, &TIPRuleForm::CheckButtonClick)},
                  {UncheckButton, "UncheckButton", "Clear Checks",
                   TNotifyEvent(this, &TIPRuleForm::UncheckButtonClick)}});

  // Where the tick box carries the caption it stands in the label's place.
  TRuleRows rows(B);
  TCheckBox* none = nullptr;
  rows.Edit(none, nullptr, IPRuleEdit, "IPRuleEdit", "IP Rule ID");
  rows.Edit(none, nullptr, AccessIDEdit, "AccessIDEdit", "IP Rule Access ID");
  rows.CaptionedEdit(cbxVlan, "cbxVlan", "Rule VLAN", 90, VLANEdit, "VLANEdit");
  rows.Edit(cbxSourceIP, "cbxSourceIP", SourceIPEdit, "SourceIPEdit", "Source IP Address");
  rows.Edit(cbxDestIP, "cbxDestIP", DestIPEdit, "DestIPEdit", "Destination IP Address");
  rows.Edit(cbxDscp, "cbxDscp", DSCPEdit, "DSCPEdit", "DSCP");
  rows.Combo(cbxProtocol, "cbxProtocol", ProtocolComboBox, "ProtocolComboBox", "Rule Protocol");
  rows.CaptionedEdit(cbxType, "cbxType", "Type", 90, TypeEdit, "TypeEdit");
  rows.CaptionedEdit(cbxCode, "cbxCode", "Code", 90, CodeEdit, "CodeEdit");
  rows.Edit(cbxSourcePort, "cbxSourcePort", SourcePortEdit, "SourcePortEdit", "Source Port");
  rows.Edit(cbxDestPort, "cbxDestPort", DestPortEdit, "DestPortEdit", "Destination Port");
  rows.Edit(cbxFBs, "cbxFBs", FlagEdit, "FlagEdit", "Flag Bits");
  rows.Edit(cbxProtocolID, "cbxProtocolID", ProtocolIDEdit, "ProtocolIDEdit", "Protocol ID");
  rows.Edit(cbxUserMask, "cbxUserMask", UserMaskEdit, "UserMaskEdit", "User Mask");
  rows.Combo(cbxEnablePriority, "cbxEnablePriority", PriorityComboBox, "PriorityComboBox",
             "Enable Priority");
  rows.Edit(cbxPriority, "cbxPriority", PriorityEdit, "PriorityEdit", "Priority");
  rows.Combo(cbxEnableReplaceDscp, "cbxEnableReplaceDscp", EnableReplComboBox, "EnableReplComboBox",
             "Enable Replace DSCP");
  rows.Edit(cbxValue, "cbxValue", DSCPValueEdit, "DSCPValueEdit", "Replace DSCP");
  rows.Combo(cbxPermit, "cbxPermit", PermitComboBox, "PermitComboBox", "Permit");
  rows.Edit(cbxRxRate, "cbxRxRate", RxRateEdit, "RxRateEdit", "RX Rate");
  rows.Combo(cbxRow, "cbxRow", RowComboBox, "RowComboBox", "Row Status");
  rows.Edit(none, nullptr, SrcMacAddressEdit, "SrcMacAddressEdit", "Source MAC Address");
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
  BuildPortPanel(B, ArrangeFieldRows(rows.Rows, layout).Bottom + 8, 150);
}

void TIPRuleForm::FormCreate(TObject*) {
  try {
    CreateRuleRequest(IPRuleVars);
    Request->BindEdits(Item::kProfileID, "%i{n1x200}", IPRuleEdit);
    Request->BindEdits(Item::kAccessID, "%i{n1x200}", AccessIDEdit);
    Request->BindEdits(Item::kRuleVLAN, "%s{l32}", VLANEdit);
    Request->BindEdits(Item::kSourceIPAddress, "%s{l16}", SourceIPEdit);
    Request->BindEdits(Item::kDestinationIPAddress, "%s{l16}", DestIPEdit);
    Request->BindEdits(Item::kDSCP, "%i{n0x63l2}", DSCPEdit);
    Request->BindComboBox(Item::kProtocol, ProtocolComboBox);
    Request->BindEdits(Item::kType, "%i{n0x255}", TypeEdit);
    Request->BindEdits(Item::kCode, "%i{n0x255}", CodeEdit);
    Request->BindEdits(Item::kSourcePort, "%i{n0x65535l5}", SourcePortEdit);
    Request->BindEdits(Item::kDestinationPort, "%i{n0x65535l5}", DestPortEdit);
    Request->BindEdits(Item::kFlagBits, "%i{n0x63l2}", FlagEdit);
    Request->BindEdits(Item::kProtocolID, "%i{n0x255l3}", ProtocolIDEdit);
    Request->BindEdits(Item::kUserMask, "%s", UserMaskEdit);
    Request->BindComboBox(Item::kEnablePriority, PriorityComboBox);
    Request->BindEdits(Item::kPriority, "%i{n0x7l1}", PriorityEdit);
    Request->BindComboBox(Item::kEnableReplaceDSCP, EnableReplComboBox);
    Request->BindEdits(Item::kReplaceDSCP, "%i{n0x63l2}", DSCPValueEdit);
    Request->BindComboBox(Item::kPermit, PermitComboBox);
    Request->BindComboBox(Item::kRowStatus, RowComboBox);
    Request->BindEdits(Item::kRXRate, "%i{n0x156249}", RxRateEdit);
    Request->BindEdits(Item::kSourceMACAddress, "%s", SrcMacAddressEdit);
  } catch (const Exception& e) {
    ShowFailureInStatusBar(StatusBar1, e.Message);
  }
  for (TEdit* e : {IPRuleEdit, VLANEdit, AccessIDEdit, SourceIPEdit, DestIPEdit, DSCPEdit,
                   SourcePortEdit, DestPortEdit, FlagEdit, ProtocolIDEdit, UserMaskEdit,
                   PriorityEdit, DSCPValueEdit, RxRateEdit, TypeEdit, CodeEdit})
    e->SetText("");
  ProtocolComboBox->SetItemIndex(IPRuleProtocolOption::kNone);
  PriorityComboBox->SetItemIndex(IPRuleEnablePriorityOption::kDisabled);
  PermitComboBox->SetItemIndex(IPRulePermitOption::kPermit);
  PriorityComboBoxChange(nullptr);
  EnableReplComboBoxChange(nullptr);  // no item chosen yet: no change
  RowComboBox->SetItemIndex(IPRuleRowStatusOption::kCreateAndGo);
  OwnerComboBox->SetItemIndex(kRuleOwnerAcl);
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

bool TIPRuleForm::ValidateRuleInput() {
  if (!CheckKeys()) return false;
  if (!TickedFieldFilled(cbxVlan, VLANEdit, kFieldEmpty)) return false;
  auto address = [&](TCheckBox* box, TEdit* edit) {
    if (!TickedFieldFilled(box, edit, kFieldEmpty)) return false;
    if (!box->Checked() || LeftAlone(edit) || ValidateIpAddressText(edit->Text())) return true;
    if (edit->Enabled()) FocusIfPossible(edit);
    return false;
  };
  if (!address(cbxSourceIP, SourceIPEdit) || !address(cbxDestIP, DestIPEdit)) return false;
  if (!TickedFieldsFilled({{cbxDscp, DSCPEdit},
                           {cbxProtocol, ProtocolComboBox},
                           {cbxType, TypeEdit},
                           {cbxCode, CodeEdit},
                           {cbxSourcePort, SourcePortEdit},
                           {cbxDestPort, DestPortEdit},
                           {cbxFBs, FlagEdit},
                           {cbxProtocolID, ProtocolIDEdit},
                           {cbxUserMask, UserMaskEdit}},
                          kFieldEmpty))
    return false;
  if (!TickedHexDigits(cbxUserMask, UserMaskEdit, 8, kInvalidUserMask)) return false;
  if (!TickedFieldsFilled({{cbxEnablePriority, PriorityComboBox},
                           {cbxPriority, PriorityEdit},
                           {cbxEnableReplaceDscp, EnableReplComboBox},
                           {cbxValue, DSCPValueEdit},
                           {cbxPermit, PermitComboBox},
                           {cbxRxRate, RxRateEdit}},
                          kFieldEmpty))
    return false;
  if (!RxRateInRange()) return false;
  if (!TickedFieldFilled(cbxRow, RowComboBox, kFieldEmpty)) return false;
  return CheckPortSelected();
}

void TIPRuleForm::ApplyProtocolFieldMask(TSavedAccess& saved) {
  MaskUnusedProtocolFields(saved, cbxProtocol, ProtocolComboBox, Item::kType);
}

void TIPRuleForm::ApplyFieldMasks(TSavedAccess& saved, bool) {
  ApplyProtocolFieldMask(saved);
  ApplyPriorityFieldMask(saved, Item::kPriority, Item::kEnablePriority, cbxEnablePriority,
                         PriorityComboBox);
}

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
  if (!selected) return;
  // A row shown again starts with its replace-DSCP fields unticked, as the
  // protocol fields, whichever row was shown before.
  for (TCheckBox* box : {cbxEnableReplaceDscp, cbxValue}) box->SetChecked(false);
  EnableReplComboBoxChange(nullptr);
}

void TIPRuleForm::PriorityComboBoxChange(TObject*) { PriorityChange(false); }

void TIPRuleForm::EnableReplComboBoxChange(TObject*) { ReplaceDscpChange(); }
