#include "forms/acl/IPv6RuleInfoFormUnit.h"

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

TIpv6RuleForm* Ipv6RuleForm = nullptr;
VN_REGISTER_FORM_OPENER(TIpv6RuleForm, &Ipv6RuleForm);

namespace {

// Items of the IPv6 rule table.
enum : int {
  kProfileId = 0,
  kAccessId = 1,
  kClass = 2,
  kFlowLabel = 3,
  kSourceAddress = 4,
  kDestAddress = 5,
  kEnablePriority = 6,
  kPriority = 7,
  kPermit = 8,
  kPorts = 9,
  kRowStatus = 10,
  kRxRate = 11,
  kEnableReplaceDscp = 12,
  kReplaceDscp = 13,
};

constexpr const char* kFieldEmpty = "Some checked field is empty";
// The replace-DSCP rows word it without the "ed".
constexpr const char* kDscpFieldEmpty = "Some check field is empty";
constexpr const char* kInvalidFlowLabel = "Invalid data!";
constexpr const char* kInvalidAddress = "Invalid Ipv6 Address value";
constexpr int kAddressDigits = 32;

}  // namespace

TIpv6RuleForm::TIpv6RuleForm(TComponent* AOwner) : TAccessRuleForm(AOwner) {
  BuildComponents();
  ScaleFormForScreen(this);
  Rule.List = ListView1;
  Rule.FirstKeyEdit = edtRuleID;
  Rule.AccessKeyEdit = edtRuleAccessID;
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
  Rule.FirstKeyMessage = "Rule ID must be set.";
  Rule.AccessKeyMessage = "Rule Access ID must be set.";
  Rule.DuplicateMessage =
      "Has already a record with the same IPv6 Rule ID and Access ID. Please change eithor of "
      "them.";
  TickItems = {{cbxRuleClass, kClass},
               {cbxRuleFlowlabel, kFlowLabel},
               {cbxRuleSrcIpv6addr, kSourceAddress},
               {cbxRuleDstIpv6addr, kDestAddress},
               {cbxEnablePriority, kEnablePriority},
               {cbxPriority, kPriority},
               {cbxPermit, kPermit},
               {cbxRow, kRowStatus},
               {cbxRxRate, kRxRate},
               {cbxEnableReplaceDSCP, kEnableReplaceDscp},
               {cbxEnableDSCPValue, kReplaceDscp}};
}

TIpv6RuleForm::~TIpv6RuleForm() = default;

void TIpv6RuleForm::BuildComponents() {
  TFormBuilder B(this);
  B.Form()
      .Caption("Ipv6 Rule Form")
      .Size(800, 580)
      .Position(poScreenCenter)
      .BorderStyle(bsSingle)
      .Font("MS Sans Serif", -11)
      .OnCreate(this, &TIpv6RuleForm::FormCreate)
      .OnClose(this, &TIpv6RuleForm::FormClose);
  SetName("Ipv6RuleForm");

  B.Add(StatusBar1, "StatusBar1").Align(alBottom).Panels({50});
  BuildRuleButtonColumn(
      B, Panel1, StaticText1,
      {{GetButton, "GetButton", "Refresh", TNotifyEvent(this, &TIpv6RuleForm::GetButtonClick)},
       {EditButton, "EditButton", "Edit", TNotifyEvent(this, &TIpv6RuleForm::EditButtonClick)},
       {AddButton, "AddButton", "Add", TNotifyEvent(this, &TIpv6RuleForm::AddButtonClick)},
       {DeleteButton, "DeleteButton", "Delete",
        TNotifyEvent(this, &TIpv6RuleForm::DeleteButtonClick)},
       {CheckButton, "CheckButton", "Check All",
        TNotifyEvent(this, &TIpv6RuleForm::CheckButtonClick)},
       {UncheckButton, "UncheckButton", "Clear Checks",
        TNotifyEvent(this, &TIpv6RuleForm::UncheckButtonClick)}});
  BuildListPanel(B, Panel2, ListView1, 8, 8, 668, 140,
                 TNotifyEvent(this, &TIpv6RuleForm::ListView1Click),
                 TLVChangeEvent(this, &TIpv6RuleForm::ListView1Change));

  std::vector<TFieldRow> rows;
  int n = 0;
  auto label = [&](const char* caption) {
    return B.Make<TLabel>("Label" + IntToStr(++n)).Caption(caption).Get();
  };
  auto edit = [&](TCheckBox*& box, const char* boxName, TEdit*& field, const char* name,
                  const char* caption, int width) {
    TLabel* l = label(caption);
    TCheckBox* t = nullptr;
    if (boxName) {
      B.Add(box, boxName).Width(17);
      t = box;
    }
    B.Add(field, name).Width(width);
    rows.push_back({l, field, t});
  };
  auto combo = [&](TCheckBox*& box, const char* boxName, TComboBox*& field, const char* name,
                   const char* caption) {
    TLabel* l = label(caption);
    B.Add(box, boxName).Width(17);
    B.Add(field, name).Style(csDropDownList).Width(100);
    rows.push_back({l, field, box});
  };
  TCheckBox* none = nullptr;
  edit(none, nullptr, edtRuleID, "edtRuleID", "IPv6 Rule ID", 100);
  edit(none, nullptr, edtRuleAccessID, "edtRuleAccessID", "IPv6 Rule Access ID", 100);
  edit(cbxRuleClass, "cbxRuleClass", edtRuleClass, "edtRuleClass", "IPv6 Rule Class (0-255)", 100);
  edit(cbxRuleFlowlabel, "cbxRuleFlowlabel", edtRuleFlowlabel, "edtRuleFlowlabel",
       "IPv6 Rule Flowlabel", 100);
  edit(cbxRuleSrcIpv6addr, "cbxRuleSrcIpv6addr", edtRuleSrcIpv6addr, "edtRuleSrcIpv6addr",
       "Rule Source IPv6 Address", 226);
  edit(cbxRuleDstIpv6addr, "cbxRuleDstIpv6addr", edtRuleDstIpv6addr, "edtRuleDstIpv6addr",
       "Rule Destination IPv6 Address", 226);
  combo(cbxEnablePriority, "cbxEnablePriority", PriorityComboBox, "PriorityComboBox",
        "Enable Priority");
  edit(cbxPriority, "cbxPriority", PriorityEdit, "PriorityEdit", "Priority", 100);
  combo(cbxPermit, "cbxPermit", PermitComboBox, "PermitComboBox", "Permit");
  combo(cbxRow, "cbxRow", RowComboBox, "RowComboBox", "Row Status");
  edit(cbxRxRate, "cbxRxRate", RxRateEdit, "RxRateEdit", "Rx Rate", 100);
  PriorityComboBox->OnChange = TNotifyEvent(this, &TIpv6RuleForm::PriorityComboBoxChange);

  TFieldLayout layout;
  layout.Left = 8;
  layout.Top = 156;
  layout.Gap = 4;
  layout.FieldWidth = 0;  // the widths given above
  layout.Columns = 2;
  layout.ColumnGap = 16;
  const TRect fields = ArrangeFieldRows(rows, layout);

  // The replace-DSCP rows: the tick boxes carry the captions.
  B.Add(cbxEnableReplaceDSCP, "cbxEnableReplaceDSCP").Caption(" Enable Replace DSCP").Width(140);
  B.Add(EnableReplaceDSCPComboBox, "EnableReplaceDSCPComboBox")
      .Style(csDropDownList)
      .Width(100)
      .OnChange(this, &TIpv6RuleForm::EnableReplaceDSCPComboBoxChange);
  B.Add(cbxEnableDSCPValue, "cbxEnableDSCPValue").Caption(" Replace DSCP Value").Width(140);
  B.Add(DSCPEdit, "DSCPEdit").Width(100);
  B.Add(RuleOwnerLabel, "RuleOwnerLabel").Caption("Rule Owner").Hidden();
  B.Add(RuleOwnerComboBox, "RuleOwnerComboBox").Style(csDropDownList).Enabled(false).Hidden();
  TFieldLayout dscp = layout;
  dscp.Top = fields.Bottom + layout.Gap;
  const TRect dscpRows =
      ArrangeFieldRows({{nullptr, EnableReplaceDSCPComboBox, cbxEnableReplaceDSCP},
                        {nullptr, DSCPEdit, cbxEnableDSCPValue}},
                       dscp);

  B.Add(StackingPortPanel, "StackingPortPanel")
      .At(8, dscpRows.Bottom + 8, 668, 150)
      .BevelOuter(bvLowered);
}

void TIpv6RuleForm::FormCreate(TObject*) {
  try {
    CreateRuleRequest(Ipv6RuleVars);
    Request->BindEdits(kProfileId, "%i{n1x200}", edtRuleID);
    Request->BindEdits(kAccessId, "%i{n1x200}", edtRuleAccessID);
    Request->BindEdits(kClass, "%i{n0x255}", edtRuleClass);
    // Four octets, as the flow-label check below requires.
    Request->BindEdits(kFlowLabel, "%h{l8f}", edtRuleFlowlabel);
    Request->BindEdits(kSourceAddress, "%h{l32f}", edtRuleSrcIpv6addr);
    Request->BindEdits(kDestAddress, "%h{l32f}", edtRuleDstIpv6addr);
    Request->BindComboBox(kEnablePriority, PriorityComboBox);
    Request->BindEdits(kPriority, "%i{n0x7}", PriorityEdit);
    Request->BindComboBox(kPermit, PermitComboBox);
    Request->BindComboBox(kRowStatus, RowComboBox);
    Request->BindEdits(kRxRate, "%i{n0x156249}", RxRateEdit);
    Request->BindComboBox(kEnableReplaceDscp, EnableReplaceDSCPComboBox);
    Request->BindEdits(kReplaceDscp, "%i{n0x63}", DSCPEdit);
  } catch (const Exception& e) {
    ShowFailureInStatusBar(StatusBar1, e.Message);
  }
  PriorityComboBox->SetItemIndex(1);  // disabled
  PermitComboBox->SetItemIndex(kRulePermit);
  RowComboBox->SetItemIndex(kRuleCreateAndGo);
  RuleOwnerComboBox->SetItemIndex(1);  // an empty list: stays unchosen
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
  EnableReplaceDSCPComboBox->SetItemIndex(1);  // disabled; its handler does not run
  if (cbxPriority->Enabled()) cbxPriority->SetChecked(false);
  for (TCheckBox* box : {cbxPermit, cbxRxRate, cbxRow}) box->SetChecked(false);
  ShowCount();
}

void TIpv6RuleForm::GetButtonClick(TObject*) {
  ReadRules();
  EnableReplaceDSCPComboBoxChange(nullptr);
}

void TIpv6RuleForm::ReadAfterWrite() { GetButtonClick(nullptr); }

bool TIpv6RuleForm::ValidateRuleInput() {
  if (!CheckKeys()) return false;
  if (!TickedFieldFilled(cbxRuleClass, edtRuleClass, kFieldEmpty)) return false;
  auto hex = [&](TCheckBox* box, TEdit* edit, int digits, const char* message) {
    if (!TickedFieldFilled(box, edit, kFieldEmpty)) return false;
    if (!box->Checked() || ValidateHexDigits(edit->Text(), digits, message)) return true;
    if (edit->Enabled()) FocusIfPossible(edit);
    return false;
  };
  if (!hex(cbxRuleFlowlabel, edtRuleFlowlabel, kFlowLabelDigits, kInvalidFlowLabel)) return false;
  if (!hex(cbxRuleSrcIpv6addr, edtRuleSrcIpv6addr, kAddressDigits, kInvalidAddress)) return false;
  if (!hex(cbxRuleDstIpv6addr, edtRuleDstIpv6addr, kAddressDigits, kInvalidAddress)) return false;
  const std::pair<TCheckBox*, TWinControl*> actions[] = {{cbxEnablePriority, PriorityComboBox},
                                                         {cbxPriority, PriorityEdit},
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
  if (!TickedFieldFilled(cbxEnableReplaceDSCP, EnableReplaceDSCPComboBox, kDscpFieldEmpty))
    return false;
  if (!TickedFieldFilled(cbxEnableDSCPValue, DSCPEdit, kDscpFieldEmpty)) return false;
  return CheckPortSelected();
}

void TIpv6RuleForm::ApplyFieldMasks(TSavedAccess& saved, bool) {
  ApplyPriorityFieldMask(saved, kPriority, kEnablePriority, cbxEnablePriority, PriorityComboBox);
}

void TIpv6RuleForm::AddButtonClick(TObject*) { AddRule(); }

void TIpv6RuleForm::EditButtonClick(TObject*) {
  if (!Request || !ValidateRuleInput()) return;
  // The row-status choice turns an Edit into an Add or a Delete, whatever
  // its tick box shows.
  switch (RowComboBox->ItemIndex()) {
    case kRuleCreateAndGo:
      AddButtonClick(nullptr);
      return;
    case kRuleDestroy:
      DeleteButtonClick(nullptr);
      return;
    default:
      EditRule();
  }
}

void TIpv6RuleForm::DeleteButtonClick(TObject*) { DeleteRule(); }

void TIpv6RuleForm::CheckButtonClick(TObject*) {
  for (TCheckBox* box : {cbxRuleClass, cbxRuleFlowlabel, cbxRuleSrcIpv6addr, cbxRuleDstIpv6addr,
                         cbxEnablePriority, cbxPermit, cbxRow})
    box->SetChecked(true);
  if (ComboText(EnableReplaceDSCPComboBox) == "enabled") {
    for (TCheckBox* box : {cbxEnableReplaceDSCP, cbxEnableDSCPValue}) {
      box->SetEnabled(true);
      box->SetChecked(true);
    }
  }
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

void TIpv6RuleForm::ListView1Change(TObject*, TListItem*, TItemChange) { ShowCount(); }

void TIpv6RuleForm::PriorityComboBoxChange(TObject*) {
  const AnsiString text = ComboText(PriorityComboBox);
  if (text != "enabled" && text != "disabled") return;
  const bool enabled = text == "enabled";
  cbxPriority->SetEnabled(enabled);
  cbxPriority->SetChecked(false);
  PriorityEdit->SetEnabled(enabled);
}

void TIpv6RuleForm::EnableReplaceDSCPComboBoxChange(TObject*) {
  const AnsiString text = ComboText(EnableReplaceDSCPComboBox);
  if (text == "disabled") {
    DisableValueEdit(DSCPEdit);
    cbxEnableDSCPValue->SetChecked(false);
    cbxEnableDSCPValue->SetEnabled(false);
    cbxEnableReplaceDSCP->SetChecked(false);
  } else if (text == "enabled") {
    EnableValueEdit(DSCPEdit);
    cbxEnableDSCPValue->SetEnabled(true);
    cbxEnableReplaceDSCP->SetEnabled(true);
  }
}

void TIpv6RuleForm::FormClose(TObject*, TCloseAction& Action) {
  CloseRules();
  Action = caFree;
}
