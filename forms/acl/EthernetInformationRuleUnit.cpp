#include "forms/acl/EthernetInformationRuleUnit.h"

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

TEthernetInformationRuleForm* EthernetInformationRuleForm = nullptr;
VN_REGISTER_FORM_OPENER(TEthernetInformationRuleForm, &EthernetInformationRuleForm);

namespace {

// Items of the Ethernet rule table.
enum : int {
  kMaskId = 0,
  kAccessId = 1,
  kVlan = 2,
  kSourceMac = 3,
  kDestMac = 4,
  kDot1p = 5,
  kEtherType = 6,
  kEnablePriority = 7,
  kPriority = 8,
  kPermit = 9,
  kPorts = 10,
  kRowStatus = 11,
  kRxRate = 12,
  kEnableReplaceDscp = 13,
  kReplaceDscp = 14,
};

constexpr const char* kFieldEmpty = "Some check field is empty";
constexpr const char* kInvalidMac = "Invalid MAC Address";
constexpr const char* kInvalidEtherType = "Invalid Ethernet Type";
constexpr const char* kPriorityRange = "Priority value should between 0-7";

// The integer of the text, -1 when it is none.
int IntegerOrMinusOne(const AnsiString& text) { return StrToIntDef(text, -1); }

}  // namespace

TEthernetInformationRuleForm::TEthernetInformationRuleForm(TComponent* AOwner)
    : TAccessRuleForm(AOwner) {
  BuildComponents();
  ScaleFormForScreen(this);
  Rule.List = ListView1;
  Rule.FirstKeyEdit = MaskIDEdit;
  Rule.AccessKeyEdit = AccessEdit;
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
  Rule.FirstKeyMessage = "Mask ID must be set.";
  Rule.AccessKeyMessage = "Access ID must be set.";
  Rule.DuplicateMessage =
      "Has already a record with the same Mask ID and Access ID. Please change eithor of them.";
  TickItems = {{cbxVlan, kVlan},
               {cbxSource, kSourceMac},
               {cbxDestination, kDestMac},
               {cbxIEEE802dot1P, kDot1p},
               {cbxEtherType, kEtherType},
               {cbxEnablePriority, kEnablePriority},
               {cbxPriority, kPriority},
               {cbxPermit, kPermit},
               {cbxRxRate, kRxRate},
               {cbxRow, kRowStatus},
               {cbxEnableReplaceDSCP, kEnableReplaceDscp},
               {cbxEnableDSCPValue, kReplaceDscp}};
}

TEthernetInformationRuleForm::~TEthernetInformationRuleForm() = default;

void TEthernetInformationRuleForm::BuildComponents() {
  TFormBuilder B(this);
  B.Form()
      .Caption("Ethernet Information Rule")
      .Size(716, 587)
      .Position(poScreenCenter)
      .BorderStyle(bsSingle)
      .Font("MS Sans Serif", -11)
      .OnCreate(this, &TEthernetInformationRuleForm::FormCreate)
      .OnClose(this, &TEthernetInformationRuleForm::FormClose);
  SetName("EthernetInformationRuleForm");

  B.Add(StatusBar1, "StatusBar1").Align(alBottom).Panels({50});
  BuildRuleButtonColumn(B, Panel1, StaticText1,
                        {{GetButton, "GetButton", "Refresh",
                          TNotifyEvent(this, &TEthernetInformationRuleForm::GetButtonClick)},
                         {EditButton, "EditButton", "Edit",
                          TNotifyEvent(this, &TEthernetInformationRuleForm::EditButtonClick)},
                         {AddButton, "AddButton", "Add",
                          TNotifyEvent(this, &TEthernetInformationRuleForm::AddButtonClick)},
                         {DeleteButton, "DeleteButton", "Delete",
                          TNotifyEvent(this, &TEthernetInformationRuleForm::DeleteButtonClick)},
                         {AddCheckButton, "AddCheckButton", "Check All",
                          TNotifyEvent(this, &TEthernetInformationRuleForm::AddCheckButtonClick)},
                         {CleanCheButton, "CleanCheButton", "Clear Checks",
                          TNotifyEvent(this, &TEthernetInformationRuleForm::CleanCheButtonClick)}});
  BuildListPanel(B, Panel2, ListView1, 8, 8, 584, 140,
                 TNotifyEvent(this, &TEthernetInformationRuleForm::ListView1Click),
                 TLVChangeEvent(this, &TEthernetInformationRuleForm::ListView1Change));

  std::vector<TFieldRow> rows;
  int n = 0;
  auto label = [&](const char* caption) {
    return B.Make<TLabel>("Label" + IntToStr(++n)).Caption(caption).Get();
  };
  auto tick = [&](TCheckBox*& box, const char* name) {
    if (!name) return static_cast<TCheckBox*>(nullptr);
    B.Add(box, name).Width(17);
    return box;
  };
  auto edit = [&](TCheckBox*& box, const char* boxName, TEdit*& field, const char* name,
                  const char* caption) {
    TLabel* l = label(caption);
    TCheckBox* t = tick(box, boxName);
    B.Add(field, name);
    rows.push_back({l, field, t});
  };
  auto combo = [&](TCheckBox*& box, const char* boxName, TComboBox*& field, const char* name,
                   const char* caption) {
    TLabel* l = label(caption);
    TCheckBox* t = tick(box, boxName);
    B.Add(field, name).Style(csDropDownList);
    rows.push_back({l, field, t});
  };
  TCheckBox* none = nullptr;
  edit(none, nullptr, MaskIDEdit, "MaskIDEdit", "Mask ID");
  edit(none, nullptr, AccessEdit, "AccessEdit", "Access ID");
  edit(cbxVlan, "cbxVlan", VlanRuleEdit, "VlanRuleEdit", "VLAN Rule");
  edit(cbxSource, "cbxSource", SourceMACEdit, "SourceMACEdit", "Source MAC Address Rule");
  edit(cbxDestination, "cbxDestination", DestMACEdit, "DestMACEdit",
       "Destination MAC Address Rule");
  edit(cbxIEEE802dot1P, "cbxIEEE802dot1P", IEEE8021pEdit, "IEEE8021pEdit", "802.1P Rule");
  edit(cbxEtherType, "cbxEtherType", EthTypeEdit, "EthTypeEdit", "Ethernet Type Rule");
  combo(cbxEnablePriority, "cbxEnablePriority", EnablePriorityComboBox, "EnablePriorityComboBox",
        "Enable Priority Rule");
  edit(cbxPriority, "cbxPriority", PriorityEdit, "PriorityEdit", "Priority Rule");
  combo(cbxPermit, "cbxPermit", PermitComboBox, "PermitComboBox", "Permit");
  edit(cbxRxRate, "cbxRxRate", RxRateEdit, "RxRateEdit", "RX Rate");
  combo(cbxRow, "cbxRow", RowComboBox, "RowComboBox", "Row Status Rule");
  EnablePriorityComboBox->OnChange =
      TNotifyEvent(this, &TEthernetInformationRuleForm::EnablePriorityComboBoxChange);
  PermitComboBox->OnChange =
      TNotifyEvent(this, &TEthernetInformationRuleForm::PermitComboBoxChange);

  TFieldLayout layout;
  layout.Left = 8;
  layout.Top = 156;
  layout.Gap = 4;
  layout.FieldWidth = 100;
  layout.Columns = 2;
  layout.ColumnGap = 16;
  const TRect fields = ArrangeFieldRows(rows, layout);

  // The replace-DSCP rows: the tick boxes carry the captions.
  B.Add(cbxEnableReplaceDSCP, "cbxEnableReplaceDSCP").Caption(" Enable Replace DSCP").Width(140);
  B.Add(EnableReplaceDSCPComboBox, "EnableReplaceDSCPComboBox")
      .Style(csDropDownList)
      .OnChange(this, &TEthernetInformationRuleForm::EnableReplaceDSCPComboBoxChange);
  B.Add(cbxEnableDSCPValue, "cbxEnableDSCPValue").Caption(" Replace DSCP Value").Width(140);
  B.Add(DSCPEdit, "DSCPEdit");
  B.Add(RuleOwnerLabel, "RuleOwnerLabel").Caption("Rule Owner").Hidden();
  B.Add(RuleOwnerComboBox, "RuleOwnerComboBox").Style(csDropDownList).Enabled(false).Hidden();
  TFieldLayout dscp = layout;
  dscp.Top = fields.Bottom + layout.Gap;
  ArrangeFieldRows({{nullptr, EnableReplaceDSCPComboBox, cbxEnableReplaceDSCP},
                    {nullptr, DSCPEdit, cbxEnableDSCPValue}},
                   dscp);

  B.Add(StackingPortPanel, "StackingPortPanel")
      .At(8, dscp.Top + 30, 584, 170)
      .BevelOuter(bvLowered);
}

void TEthernetInformationRuleForm::FormCreate(TObject*) {
  try {
    CreateRuleRequest(EthernetInformationRuleVars);
    Request->BindEdits(kMaskId, "%i{n1x200}", MaskIDEdit);
    Request->BindEdits(kAccessId, "%i{n1x200}", AccessEdit);
    Request->BindEdits(kVlan, "%s{l32}", VlanRuleEdit);
    Request->BindEdits(kSourceMac, "%s{l12}", SourceMACEdit);
    Request->BindEdits(kDestMac, "%s{l12}", DestMACEdit);
    Request->BindEdits(kDot1p, "%i{n0x7}", IEEE8021pEdit);
    Request->BindEdits(kEtherType, "%s{l4}", EthTypeEdit);
    Request->BindComboBox(kEnablePriority, EnablePriorityComboBox);
    Request->BindEdits(kPriority, "%i{n0x7}", PriorityEdit);
    Request->BindComboBox(kPermit, PermitComboBox);
    Request->BindComboBox(kRowStatus, RowComboBox);
    Request->BindEdits(kRxRate, "%i{n0x156249}", RxRateEdit);
    Request->BindComboBox(kEnableReplaceDscp, EnableReplaceDSCPComboBox);
    Request->BindEdits(kReplaceDscp, "%i{n0x63}", DSCPEdit);
  } catch (const Exception& e) {
    ShowFailureInStatusBar(StatusBar1, e.Message);
  }
  ClearRuleEdits();
  EnablePriorityComboBox->SetItemIndex(1);  // disabled
  PermitComboBox->SetItemIndex(kRulePermit);
  EnablePriorityComboBoxChange(nullptr);
  EnableReplaceDSCPComboBoxChange(nullptr);
  RowComboBox->SetItemIndex(kRuleCreateAndGo);
  RuleOwnerComboBox->SetItemIndex(1);  // an empty list: stays unchosen
  SetNoSelection();
  FirstRead();
}

void TEthernetInformationRuleForm::ClearRuleEdits() {
  for (TEdit* e : {MaskIDEdit, AccessEdit, VlanRuleEdit, SourceMACEdit, DestMACEdit, IEEE8021pEdit,
                   EthTypeEdit, PriorityEdit, RxRateEdit, DSCPEdit})
    e->SetText("");
  for (const auto& [box, item] : TickItems) box->SetChecked(false);
  EnableReplaceDSCPComboBox->SetItemIndex(1);  // disabled; its handler does not run
  if (PortFrame) PortFrame->ClearPorts();
  ShowCount();
}

void TEthernetInformationRuleForm::GetButtonClick(TObject*) {
  ReadRules();
  EnableReplaceDSCPComboBoxChange(nullptr);
}

void TEthernetInformationRuleForm::ReadAfterWrite() { GetButtonClick(nullptr); }

bool TEthernetInformationRuleForm::ValidateRuleInput() {
  if (!CheckKeys()) return false;
  const std::pair<TCheckBox*, TWinControl*> filled[] = {
      {cbxVlan, VlanRuleEdit},       {cbxSource, SourceMACEdit},
      {cbxDestination, DestMACEdit}, {cbxIEEE802dot1P, IEEE8021pEdit},
      {cbxEtherType, EthTypeEdit},   {cbxEnablePriority, EnablePriorityComboBox},
      {cbxPriority, PriorityEdit},   {cbxPermit, PermitComboBox},
      {cbxRxRate, RxRateEdit},       {cbxRow, RowComboBox}};
  for (const auto& [box, control] : filled)
    if (!TickedFieldFilled(box, control, kFieldEmpty)) return false;
  auto hex = [](TCheckBox* box, TEdit* edit, int digits, const char* message) {
    if (!box->Checked() || ValidateHexDigits(edit->Text(), digits, message)) return true;
    if (edit->Enabled()) FocusIfPossible(edit);
    return false;
  };
  if (!hex(cbxSource, SourceMACEdit, 12, kInvalidMac)) return false;
  if (!hex(cbxDestination, DestMACEdit, 12, kInvalidMac)) return false;
  if (!hex(cbxEtherType, EthTypeEdit, 4, kInvalidEtherType)) return false;
  auto range = [](TCheckBox* box, TEdit* edit, int max, const char* message) {
    if (!box->Checked()) return true;
    const int v = IntegerOrMinusOne(edit->Text());
    if (v >= 0 && v <= max) return true;
    ShowMessage(message);
    if (edit->Enabled()) FocusIfPossible(edit);
    return false;
  };
  if (!range(cbxPriority, PriorityEdit, 7, kPriorityRange)) return false;
  if (!range(cbxRxRate, RxRateEdit, kRxRateMax, kRxRateRange)) return false;
  if (!TickedFieldFilled(cbxEnableReplaceDSCP, EnableReplaceDSCPComboBox, kFieldEmpty))
    return false;
  if (!TickedFieldFilled(cbxEnableDSCPValue, DSCPEdit, kFieldEmpty)) return false;
  return CheckPortSelected();
}

void TEthernetInformationRuleForm::ApplyFieldMasks(TSavedAccess& saved, bool) {
  ApplyPriorityFieldMask(saved, kPriority, kEnablePriority, cbxEnablePriority,
                         EnablePriorityComboBox);
}

void TEthernetInformationRuleForm::AddButtonClick(TObject*) { AddRule(); }

void TEthernetInformationRuleForm::EditButtonClick(TObject*) { EditRule(); }

void TEthernetInformationRuleForm::DeleteButtonClick(TObject*) { DeleteRule(); }

void TEthernetInformationRuleForm::AddCheckButtonClick(TObject*) {
  for (TCheckBox* box : {cbxVlan, cbxSource, cbxDestination, cbxIEEE802dot1P, cbxEtherType,
                         cbxEnablePriority, cbxPriority, cbxPermit, cbxRow, cbxRxRate})
    box->SetChecked(true);
  if (ComboText(EnableReplaceDSCPComboBox) == "enabled") {
    for (TCheckBox* box : {cbxEnableDSCPValue, cbxEnableReplaceDSCP}) {
      box->SetEnabled(true);
      box->SetChecked(true);
    }
  }
}

void TEthernetInformationRuleForm::CleanCheButtonClick(TObject*) {
  for (TCheckBox* box :
       {cbxVlan, cbxSource, cbxDestination, cbxIEEE802dot1P, cbxEtherType, cbxEnablePriority,
        cbxPriority, cbxPermit, cbxRow, cbxRxRate, cbxEnableReplaceDSCP, cbxEnableDSCPValue})
    box->SetChecked(false);
}

void TEthernetInformationRuleForm::ListView1Click(TObject*) {
  if (!RuleListClick()) return;
  EnablePriorityComboBoxChange(nullptr);
  EnableReplaceDSCPComboBoxChange(nullptr);
}

void TEthernetInformationRuleForm::ListView1Change(TObject*, TListItem*, TItemChange) {
  ShowCount();
}

void TEthernetInformationRuleForm::EnablePriorityComboBoxChange(TObject*) {
  const bool enabled = ComboText(EnablePriorityComboBox) == "enabled";
  cbxPriority->SetEnabled(enabled);
  cbxPriority->SetChecked(false);
  PriorityEdit->SetEnabled(enabled);
}

void TEthernetInformationRuleForm::EnableReplaceDSCPComboBoxChange(TObject*) {
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

void TEthernetInformationRuleForm::PermitComboBoxChange(TObject*) {}

void TEthernetInformationRuleForm::FormClose(TObject*, TCloseAction& Action) {
  CloseRules();
  Action = caFree;
}
