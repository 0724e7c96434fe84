#include "forms/acl/IPv6RuleInfoFormUnit.h"

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

TIpv6RuleForm* Ipv6RuleForm = nullptr;
VN_REGISTER_FORM_OPENER(TIpv6RuleForm, &Ipv6RuleForm);

namespace {

namespace Item = Ipv6RuleItem;

constexpr const char* kFieldEmpty = "Some checked field is empty";
constexpr const char* kInvalidFlowLabel = "Invalid data!";
constexpr const char* kInvalidAddress = "Invalid Ipv6 Address value";
constexpr int kAddressDigits = 32;

}  // namespace

TIpv6RuleForm::TIpv6RuleForm(TComponent* AOwner) : TActionRuleForm(AOwner) {
  BuildComponents();
  ScaleFormForScreen(this);
  Rule.FirstKeyEdit = edtRuleID;
  Rule.AccessKeyEdit = edtRuleAccessID;
  Rule.RowStatusItem = Item::kRowStatus;
  Rule.PortItem = Item::kPort;
  Rule.ReplaceDscpAfterWrite = true;
  SetRuleActions(PriorityComboBox);
  Rule.FirstKeyMessage = "Rule ID must be set.";
  Rule.AccessKeyMessage = "Rule Access ID must be set.";
  Rule.DuplicateMessage =
      "Has already a record with the same IPv6 Rule ID and Access ID. Please change eithor of "
      "them.";
  TickItems = {{cbxRuleClass, Item::kClass},
               {cbxRuleFlowlabel, Item::kFlowLabel},
               {cbxRuleSrcIpv6addr, Item::kSourceIPv6Address},
               {cbxRuleDstIpv6addr, Item::kDestinationIPv6Address},
               {cbxEnablePriority, Item::kEnablePriority},
               {cbxPriority, Item::kRulePriority},
               {cbxPermit, Item::kPermit},
               {cbxRow, Item::kRowStatus},
               {cbxRxRate, Item::kRXRate},
               {cbxEnableReplaceDSCP, Item::kEnableReplaceDSCP},
               {cbxEnableDSCPValue, Item::kReplaceDSCP}};
}

TIpv6RuleForm::~TIpv6RuleForm() = default;

void TIpv6RuleForm::BuildComponents() {
  TFormBuilder B(this);
  BuildRuleFrame(B, {"Ipv6RuleForm", "Ipv6 Rule Form", 800, 580, 668, 140},
                 {{CheckButton, "CheckButton", "Check All",
                   TNotifyEvent(this, &TIpv6RuleForm::CheckButtonClick)},
                  {UncheckButton, "UncheckButton", "Clear Checks",
                   TNotifyEvent(this, &TIpv6RuleForm::UncheckButtonClick)}});

  TRuleRows rows(B);
  TCheckBox* none = nullptr;
  rows.Edit(none, nullptr, edtRuleID, "edtRuleID", "IPv6 Rule ID", 100);
  rows.Edit(none, nullptr, edtRuleAccessID, "edtRuleAccessID", "IPv6 Rule Access ID", 100);
  rows.Edit(cbxRuleClass, "cbxRuleClass", edtRuleClass, "edtRuleClass", "IPv6 Rule Class (0-255)",
            100);
  rows.Edit(cbxRuleFlowlabel, "cbxRuleFlowlabel", edtRuleFlowlabel, "edtRuleFlowlabel",
            "IPv6 Rule Flowlabel", 100);
  rows.Edit(cbxRuleSrcIpv6addr, "cbxRuleSrcIpv6addr", edtRuleSrcIpv6addr, "edtRuleSrcIpv6addr",
            "Rule Source IPv6 Address", 226);
  rows.Edit(cbxRuleDstIpv6addr, "cbxRuleDstIpv6addr", edtRuleDstIpv6addr, "edtRuleDstIpv6addr",
            "Rule Destination IPv6 Address", 226);
  rows.Combo(cbxEnablePriority, "cbxEnablePriority", PriorityComboBox, "PriorityComboBox",
             "Enable Priority", 100);
  rows.Edit(cbxPriority, "cbxPriority", PriorityEdit, "PriorityEdit", "Priority", 100);
  rows.Combo(cbxPermit, "cbxPermit", PermitComboBox, "PermitComboBox", "Permit", 100);
  rows.Combo(cbxRow, "cbxRow", RowComboBox, "RowComboBox", "Row Status", 100);
  rows.Edit(cbxRxRate, "cbxRxRate", RxRateEdit, "RxRateEdit", "Rx Rate", 100);
  PriorityComboBox->OnChange = TNotifyEvent(this, &TIpv6RuleForm::PriorityComboBoxChange);
  B.Add(RuleOwnerLabel, "RuleOwnerLabel").Caption("Rule Owner").Hidden();
  B.Add(RuleOwnerComboBox, "RuleOwnerComboBox").Style(csDropDownList).Enabled(false).Hidden();

  TFieldLayout layout;
  layout.Left = 8;
  layout.Top = 156;
  layout.Gap = 4;
  layout.FieldWidth = 0;  // the widths given above
  layout.Columns = 2;
  layout.ColumnGap = 16;
  const TRect fields = ArrangeFieldRows(rows.Rows, layout);
  const TRect dscp = BuildReplaceDscpRows(B, layout, fields.Bottom + layout.Gap, 100);
  BuildPortPanel(B, dscp.Bottom + 8, 150);
}

void TIpv6RuleForm::FormCreate(TObject*) {
  try {
    CreateRuleRequest(Ipv6RuleVars);
    Request->BindEdits(Item::kProfileID, "%i{n1x200}", edtRuleID);
    Request->BindEdits(Item::kAccessID, "%i{n1x200}", edtRuleAccessID);
    Request->BindEdits(Item::kClass, "%i{n0x255}", edtRuleClass);
    // Four octets, as the flow-label check below requires.
    Request->BindEdits(Item::kFlowLabel, "%h{l8f}", edtRuleFlowlabel);
    Request->BindEdits(Item::kSourceIPv6Address, "%h{l32f}", edtRuleSrcIpv6addr);
    Request->BindEdits(Item::kDestinationIPv6Address, "%h{l32f}", edtRuleDstIpv6addr);
    Request->BindComboBox(Item::kEnablePriority, PriorityComboBox);
    Request->BindEdits(Item::kRulePriority, "%i{n0x7}", PriorityEdit);
    Request->BindComboBox(Item::kPermit, PermitComboBox);
    Request->BindComboBox(Item::kRowStatus, RowComboBox);
    Request->BindEdits(Item::kRXRate, "%i{n0x156249}", RxRateEdit);
    Request->BindComboBox(Item::kEnableReplaceDSCP, EnableReplaceDSCPComboBox);
    Request->BindEdits(Item::kReplaceDSCP, "%i{n0x63}", DSCPEdit);
  } catch (const Exception& e) {
    ShowFailureInStatusBar(StatusBar1, e.Message);
  }
  PriorityComboBox->SetItemIndex(Ipv6RuleEnablePriorityOption::kDisabled);
  PermitComboBox->SetItemIndex(Ipv6RulePermitOption::kPermit);
  RowComboBox->SetItemIndex(Ipv6RuleRowStatusOption::kCreateAndGo);
  RuleOwnerComboBox->SetItemIndex(kRuleOwnerAcl);
  ClearRuleEdits();
  SetNoSelection();
  FirstRead();
  PriorityComboBoxChange(nullptr);
  EnableReplaceDSCPComboBoxChange(nullptr);
  ShowCount();
}

void TIpv6RuleForm::ClearRuleEdits() {
  for (TEdit* e : {edtRuleID, edtRuleAccessID, edtRuleClass, edtRuleFlowlabel, edtRuleSrcIpv6addr,
                   edtRuleDstIpv6addr, PriorityEdit, RxRateEdit, DSCPEdit})
    e->SetText("");
  if (PortFrame) PortFrame->ClearPorts();
  for (TCheckBox* box : {cbxRuleClass, cbxRuleFlowlabel, cbxRuleSrcIpv6addr, cbxRuleDstIpv6addr,
                         cbxEnablePriority, cbxEnableReplaceDSCP, cbxEnableDSCPValue})
    box->SetChecked(false);
  // Its handler does not run.
  EnableReplaceDSCPComboBox->SetItemIndex(Ipv6RuleEnableReplaceDSCPOption::kDisabled);
  if (cbxPriority->Enabled()) cbxPriority->SetChecked(false);
  for (TCheckBox* box : {cbxPermit, cbxRxRate, cbxRow}) box->SetChecked(false);
  ShowCount();
}

bool TIpv6RuleForm::ValidateRuleInput() {
  if (!CheckKeys()) return false;
  if (!TickedFieldFilled(cbxRuleClass, edtRuleClass, kFieldEmpty)) return false;
  auto hex = [&](TCheckBox* box, TEdit* edit, int digits, const char* message) {
    return TickedFieldFilled(box, edit, kFieldEmpty) && TickedHexDigits(box, edit, digits, message);
  };
  return hex(cbxRuleFlowlabel, edtRuleFlowlabel, kFlowLabelDigits, kInvalidFlowLabel) &&
         hex(cbxRuleSrcIpv6addr, edtRuleSrcIpv6addr, kAddressDigits, kInvalidAddress) &&
         hex(cbxRuleDstIpv6addr, edtRuleDstIpv6addr, kAddressDigits, kInvalidAddress) &&
         ValidateActionFields(PriorityComboBox, kFieldEmpty);
}

void TIpv6RuleForm::ApplyFieldMasks(TSavedAccess& saved, bool) {
  ApplyPriorityFieldMask(saved, Item::kRulePriority, Item::kEnablePriority, cbxEnablePriority,
                         PriorityComboBox);
}

void TIpv6RuleForm::EditButtonClick(TObject*) {
  if (!Request || !ValidateRuleInput()) return;
  // The row-status choice turns an Edit into an Add or a Delete, whatever
  // its tick box shows.
  switch (RowComboBox->ItemIndex()) {
    case Ipv6RuleRowStatusOption::kCreateAndGo:
      AddRule();
      return;
    case Ipv6RuleRowStatusOption::kDestroy:
      DeleteRule();
      return;
    default:
      EditRule();
  }
}

void TIpv6RuleForm::CheckButtonClick(TObject*) {
  for (TCheckBox* box : {cbxRuleClass, cbxRuleFlowlabel, cbxRuleSrcIpv6addr, cbxRuleDstIpv6addr,
                         cbxEnablePriority, cbxPermit, cbxRow})
    box->SetChecked(true);
  TickReplaceDscpWhenEnabled();
}

void TIpv6RuleForm::UncheckButtonClick(TObject*) {
  for (TCheckBox* box :
       {cbxRuleClass, cbxRuleFlowlabel, cbxRuleSrcIpv6addr, cbxRuleDstIpv6addr, cbxEnablePriority,
        cbxPermit, cbxRow, cbxEnableReplaceDSCP, cbxEnableDSCPValue})
    box->SetChecked(false);
}

void TIpv6RuleForm::ListView1Click(TObject*) {
  if (!RuleListClick()) return;
  PriorityComboBoxChange(nullptr);
  EnableReplaceDSCPComboBoxChange(nullptr);
}

void TIpv6RuleForm::PriorityComboBoxChange(TObject*) { PriorityChange(false); }
