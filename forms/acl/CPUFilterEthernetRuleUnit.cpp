#include "forms/acl/CPUFilterEthernetRuleUnit.h"

#include <vector>

#include "app/FormOpeners.h"
#include "app/StackingPortUitFormUnit.h"
#include "app/mibdefs/AclMib.h"
#include "forms/common/FeatureForm.h"
#include "forms/common/InputChecks.h"
#include "library/VnSNMPRequest2Edits.h"
#include "platform/ComCtrls.h"
#include "platform/Exceptions.h"
#include "platform/ExtCtrls.h"
#include "platform/FormBuilder.h"
#include "platform/Layout.h"
#include "platform/StdCtrls.h"
#include "platform/SysUtils.h"

TCPUFilterEthernetRuleForm* CPUFilterEthernetRuleForm = nullptr;
VN_REGISTER_FORM_OPENER(TCPUFilterEthernetRuleForm, &CPUFilterEthernetRuleForm);

namespace {

// Items of the CPU-filter Ethernet rule table.
enum : int {
  kProfileId = 0,
  kAccessId = 1,
  kVlan = 2,
  kSourceMac = 3,
  kDestMac = 4,
  kDot1p = 5,
  kEtherType = 6,
  kPermit = 7,
  kRowStatus = 8,
  kPorts = 9,
};

constexpr const char* kFieldEmpty = "Some check field is empty";
constexpr const char* kInvalidMac = "Invalid MAC Address";
constexpr const char* kInvalidEtherType = "Invalid Ethernet Type";

}  // namespace

TCPUFilterEthernetRuleForm::TCPUFilterEthernetRuleForm(TComponent* AOwner)
    : TAccessRuleForm(AOwner) {
  BuildComponents();
  ScaleFormForScreen(this);
  Rule.List = ListView1;
  Rule.FirstKeyEdit = ProfileIDEdit;
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
  Rule.VlanTick = cbxVlan;
  Rule.VlanEdit = VlanRuleEdit;
  Rule.RowStatusItem = kRowStatus;
  Rule.PortItem = kPorts;
  Rule.FirstKeyMessage = "Profile ID must be set.";
  Rule.AccessKeyMessage = "Access ID must be set.";
  Rule.DuplicateMessage =
      "Has already a record with the same Profile ID and Access ID. Please change eithor of them.";
  Rule.DeleteCarriesPorts = true;
  TickItems = {{cbxVlan, kVlan},          {cbxSource, kSourceMac},    {cbxDestination, kDestMac},
               {cbxIEEE802dot1P, kDot1p}, {cbxEtherType, kEtherType}, {cbxPermit, kPermit},
               {cbxRow, kRowStatus}};
}

TCPUFilterEthernetRuleForm::~TCPUFilterEthernetRuleForm() = default;

void TCPUFilterEthernetRuleForm::BuildComponents() {
  TFormBuilder B(this);
  B.Form()
      .Caption("Ethernet Information Rule")
      .Size(716, 532)
      .Position(poScreenCenter)
      .BorderStyle(bsSingle)
      .Font("MS Sans Serif", -11)
      .OnCreate(this, &TCPUFilterEthernetRuleForm::FormCreate)
      .OnClose(this, &TCPUFilterEthernetRuleForm::FormClose);
  SetName("CPUFilterEthernetRuleForm");

  B.Add(StatusBar1, "StatusBar1").Align(alBottom).Panels({50});
  BuildRuleButtonColumn(B, Panel1, StaticText1,
                        {{GetButton, "GetButton", "Refresh",
                          TNotifyEvent(this, &TCPUFilterEthernetRuleForm::GetButtonClick)},
                         {EditButton, "EditButton", "Edit",
                          TNotifyEvent(this, &TCPUFilterEthernetRuleForm::EditButtonClick)},
                         {AddButton, "AddButton", "Add",
                          TNotifyEvent(this, &TCPUFilterEthernetRuleForm::AddButtonClick)},
                         {DeleteButton, "DeleteButton", "Delete",
                          TNotifyEvent(this, &TCPUFilterEthernetRuleForm::DeleteButtonClick)},
                         {AddCheckButton, "AddCheckButton", "Check All",
                          TNotifyEvent(this, &TCPUFilterEthernetRuleForm::AddCheckButtonClick)},
                         {CleanCheButton, "CleanCheButton", "Clear Checks",
                          TNotifyEvent(this, &TCPUFilterEthernetRuleForm::CleanCheButtonClick)},
                         {Button1, "Button1", "Close",
                          TNotifyEvent(this, &TCPUFilterEthernetRuleForm::Button1Click)}});
  BuildListPanel(B, Panel2, ListView1, 8, 8, 584, 140,
                 TNotifyEvent(this, &TCPUFilterEthernetRuleForm::ListView1Click),
                 TLVChangeEvent(this, &TCPUFilterEthernetRuleForm::ListView1Change));

  TRuleRows rows(B);
  TCheckBox* none = nullptr;
  rows.Edit(none, nullptr, ProfileIDEdit, "ProfileIDEdit", "Profile ID");
  rows.Edit(none, nullptr, AccessEdit, "AccessEdit", "Access ID");
  rows.Edit(cbxVlan, "cbxVlan", VlanRuleEdit, "VlanRuleEdit", "VLAN");
  rows.Edit(cbxSource, "cbxSource", SourceMACEdit, "SourceMACEdit", "Rule Source MAC Address");
  rows.Edit(cbxDestination, "cbxDestination", DestMACEdit, "DestMACEdit",
            "Rule Destination MAC Address");
  rows.Edit(cbxIEEE802dot1P, "cbxIEEE802dot1P", IEEE8021pEdit, "IEEE8021pEdit", "802.1P");
  rows.Edit(cbxEtherType, "cbxEtherType", EthTypeEdit, "EthTypeEdit", "Ethernet Type");
  rows.Combo(cbxPermit, "cbxPermit", PermitComboBox, "PermitComboBox", "Permit");
  rows.Combo(cbxRow, "cbxRow", RowComboBox, "RowComboBox", "Row Status");
  PermitComboBox->OnChange = TNotifyEvent(this, &TCPUFilterEthernetRuleForm::PermitComboBoxChange);
  B.Add(RuleOwnerComboBox, "RuleOwnerComboBox").Style(csDropDownList).Enabled(false).Hidden();

  TFieldLayout layout;
  layout.Left = 8;
  layout.Top = 156;
  layout.Gap = 4;
  layout.FieldWidth = 100;
  layout.Columns = 2;
  layout.ColumnGap = 16;
  const TRect fields = ArrangeFieldRows(rows.Rows, layout);

  B.Add(StackingPortPanel, "StackingPortPanel")
      .At(8, fields.Bottom + 8, 584, 150)
      .BevelOuter(bvLowered);
}

void TCPUFilterEthernetRuleForm::FormCreate(TObject*) {
  try {
    CreateRuleRequest(CPUFilterEthernetRuleVars);
    Request->BindEdits(kProfileId, "%i{n1x200}", ProfileIDEdit);
    Request->BindEdits(kAccessId, "%i{n1x200}", AccessEdit);
    Request->BindEdits(kVlan, "%s{l32}", VlanRuleEdit);
    Request->BindEdits(kSourceMac, "%s{l12}", SourceMACEdit);
    Request->BindEdits(kDestMac, "%s{l12}", DestMACEdit);
    Request->BindEdits(kDot1p, "%i{n0x7}", IEEE8021pEdit);
    Request->BindEdits(kEtherType, "%s{l4}", EthTypeEdit);
    Request->BindComboBox(kPermit, PermitComboBox);
    Request->BindComboBox(kRowStatus, RowComboBox);
  } catch (const Exception& e) {
    ShowFailureInStatusBar(StatusBar1, e.Message);
  }
  ClearRuleEdits();
  PermitComboBox->SetItemIndex(kRulePermit);
  RowComboBox->SetItemIndex(kRuleCreateAndGo);
  RuleOwnerComboBox->SetItemIndex(1);  // an empty list: stays unchosen
  SetNoSelection();
  FirstRead();
}

void TCPUFilterEthernetRuleForm::ClearRuleEdits() {
  for (TEdit* e : {ProfileIDEdit, AccessEdit, VlanRuleEdit, SourceMACEdit, DestMACEdit,
                   IEEE8021pEdit, EthTypeEdit})
    e->SetText("");
  for (const auto& [box, item] : TickItems) box->SetChecked(false);
  if (PortFrame) PortFrame->ClearPorts();
  ShowCount();
}

void TCPUFilterEthernetRuleForm::GetButtonClick(TObject*) { ReadRules(); }

bool TCPUFilterEthernetRuleForm::ValidateRuleInput() {
  if (!CheckKeys()) return false;
  const std::pair<TCheckBox*, TWinControl*> filled[] = {
      {cbxVlan, VlanRuleEdit},       {cbxSource, SourceMACEdit},
      {cbxDestination, DestMACEdit}, {cbxIEEE802dot1P, IEEE8021pEdit},
      {cbxEtherType, EthTypeEdit},   {cbxPermit, PermitComboBox},
      {cbxRow, RowComboBox}};
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
  return CheckPortSelected();
}

void TCPUFilterEthernetRuleForm::AddButtonClick(TObject*) { AddRule(); }

void TCPUFilterEthernetRuleForm::EditButtonClick(TObject*) { EditRule(); }

void TCPUFilterEthernetRuleForm::DeleteButtonClick(TObject*) { DeleteRule(); }

void TCPUFilterEthernetRuleForm::AddCheckButtonClick(TObject*) { SetAllTicks(true); }

void TCPUFilterEthernetRuleForm::CleanCheButtonClick(TObject*) { SetAllTicks(false); }

void TCPUFilterEthernetRuleForm::ListView1Click(TObject*) { RuleListClick(); }

void TCPUFilterEthernetRuleForm::ListView1Change(TObject*, TListItem*, TItemChange) { ShowCount(); }

void TCPUFilterEthernetRuleForm::PermitComboBoxChange(TObject*) {}

void TCPUFilterEthernetRuleForm::Button1Click(TObject*) { Close(); }

void TCPUFilterEthernetRuleForm::FormClose(TObject*, TCloseAction& Action) {
  CloseRules();
  Action = caFree;
}
