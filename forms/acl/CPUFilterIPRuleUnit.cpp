#include "forms/acl/CPUFilterIPRuleUnit.h"

#include "app/FormOpeners.h"
#include "app/StackingPortUitFormUnit.h"
#include "app/mibdefs/AclMib.h"
#include "forms/common/FeatureForm.h"
#include "library/VnSNMPRequest2Edits.h"
#include "platform/ComCtrls.h"
#include "platform/Exceptions.h"
#include "platform/ExtCtrls.h"
#include "platform/FormBuilder.h"
#include "platform/Layout.h"
#include "platform/StdCtrls.h"
#include "platform/SysUtils.h"

TCPUFilterIPRuleForm* CPUFilterIPRuleForm = nullptr;
VN_REGISTER_FORM_OPENER(TCPUFilterIPRuleForm, &CPUFilterIPRuleForm);

namespace {

// Items of the CPU-filter IP rule table.
enum : int {
  kProfileId = 0,
  kAccessId = 1,
  kVlan = 2,
  kSourceIp = 3,
  kDestIp = 4,
  kDscp = 5,
  kProtocol = 6,  // read-only: shown, never written
  kType = 7,
  kCode = 8,
  kSourcePort = 9,
  kDestPort = 10,
  kFlagBits = 11,
  kProtocolId = 12,
  kUserMask = 13,
  kPermit = 14,
  kRowStatus = 15,
  kPorts = 16,
};

constexpr const char* kFieldEmpty = "Some check field is empty";

}  // namespace

TCPUFilterIPRuleForm::TCPUFilterIPRuleForm(TComponent* AOwner) : TAccessRuleForm(AOwner) {
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
  // The permit box is not among them: the permit value is always written.
  TickItems = {{cbxVlan, kVlan},        {cbxSource, kSourceIp},       {cbxDestination, kDestIp},
               {cbxDSCP, kDscp},        {cbxProtocol, kProtocol},     {cbxType, kType},
               {cbxCode, kCode},        {cbxSourcePort, kSourcePort}, {cbxDestPort, kDestPort},
               {cbxFlagBit, kFlagBits}, {cbxProtocolID, kProtocolId}, {cbxUserMask, kUserMask},
               {cbxRow, kRowStatus}};
}

TCPUFilterIPRuleForm::~TCPUFilterIPRuleForm() = default;

void TCPUFilterIPRuleForm::BuildComponents() {
  TFormBuilder B(this);
  B.Form()
      .Caption("Ethernet Information Rule")
      .Size(716, 609)
      .Position(poScreenCenter)
      .BorderStyle(bsSingle)
      .Font("MS Sans Serif", -11)
      .OnCreate(this, &TCPUFilterIPRuleForm::FormCreate)
      .OnClose(this, &TCPUFilterIPRuleForm::FormClose);
  SetName("CPUFilterIPRuleForm");

  B.Add(StatusBar1, "StatusBar1").Align(alBottom).Panels({50});
  BuildRuleButtonColumn(
      B, Panel1, StaticText1,
      {{GetButton, "GetButton", "Refresh",
        TNotifyEvent(this, &TCPUFilterIPRuleForm::GetButtonClick)},
       {EditButton, "EditButton", "Edit",
        TNotifyEvent(this, &TCPUFilterIPRuleForm::EditButtonClick)},
       {AddButton, "AddButton", "Add", TNotifyEvent(this, &TCPUFilterIPRuleForm::AddButtonClick)},
       {DeleteButton, "DeleteButton", "Delete",
        TNotifyEvent(this, &TCPUFilterIPRuleForm::DeleteButtonClick)},
       {AddCheckButton, "AddCheckButton", "Check All",
        TNotifyEvent(this, &TCPUFilterIPRuleForm::AddCheckButtonClick)},
       {CleanCheButton, "CleanCheButton", "Clear Checks",
        TNotifyEvent(this, &TCPUFilterIPRuleForm::CleanCheButtonClick)},
       {Button1, "Button1", "Close", TNotifyEvent(this, &TCPUFilterIPRuleForm::Button1Click)}});
  BuildListPanel(B, Panel2, ListView1, 8, 8, 584, 140,
                 TNotifyEvent(this, &TCPUFilterIPRuleForm::ListView1Click),
                 TLVChangeEvent(this, &TCPUFilterIPRuleForm::ListView1Change));

  TRuleRows rows(B);
  TCheckBox* none = nullptr;
  rows.Edit(none, nullptr, ProfileIDEdit, "ProfileIDEdit", "Profile ID");
  rows.Edit(none, nullptr, AccessEdit, "AccessEdit", "Access ID");
  rows.Edit(cbxVlan, "cbxVlan", VlanRuleEdit, "VlanRuleEdit", "VLAN");
  rows.Edit(cbxSource, "cbxSource", SourceIPEdit, "SourceIPEdit", "Rule Source IP Address");
  rows.Edit(cbxDestination, "cbxDestination", DestIPEdit, "DestIPEdit",
            "Rule Destination IP Address");
  rows.Edit(cbxDSCP, "cbxDSCP", DSCPEdit, "DSCPEdit", "DSCP");
  rows.Combo(cbxProtocol, "cbxProtocol", ProtocolComboBox, "ProtocolComboBox", "Protocol");
  rows.Edit(cbxType, "cbxType", TypeEdit, "TypeEdit", "Type");
  rows.Edit(cbxCode, "cbxCode", CodeEdit, "CodeEdit", "Code");
  rows.Edit(cbxSourcePort, "cbxSourcePort", SourcePortEdit, "SourcePortEdit", "Rule Source Port");
  rows.Edit(cbxDestPort, "cbxDestPort", DestPortEdit, "DestPortEdit", "Rule Destination Port");
  rows.Edit(cbxFlagBit, "cbxFlagBit", FlagBitEdit, "FlagBitEdit", "Flag Bit");
  rows.Edit(cbxProtocolID, "cbxProtocolID", ProtocolIDEdit, "ProtocolIDEdit", "Protocol ID");
  rows.Edit(cbxUserMask, "cbxUserMask", UserMaskEdit, "UserMaskEdit", "User Mask");
  rows.Combo(cbxPermit, "cbxPermit", PermitComboBox, "PermitComboBox", "Permit");
  rows.Combo(cbxRow, "cbxRow", RowComboBox, "RowComboBox", "Row Status");
  PermitComboBox->OnChange = TNotifyEvent(this, &TCPUFilterIPRuleForm::PermitComboBoxChange);
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

void TCPUFilterIPRuleForm::FormCreate(TObject*) {
  try {
    CreateRuleRequest(CPUFilterIPRuleVars);
    Request->BindEdits(kProfileId, "%i{n1x200}", ProfileIDEdit);
    Request->BindEdits(kAccessId, "%i{n1x200}", AccessEdit);
    Request->BindEdits(kVlan, "%s{l32}", VlanRuleEdit);
    Request->BindEdits(kSourceIp, "%s{I}", SourceIPEdit);
    Request->BindEdits(kDestIp, "%s{I}", DestIPEdit);
    Request->BindEdits(kDscp, "%i{n0x63l2}", DSCPEdit);
    Request->BindComboBox(kProtocol, ProtocolComboBox);
    Request->BindEdits(kType, "%i{n0x255}", TypeEdit);
    Request->BindEdits(kCode, "%i{n0x255}", CodeEdit);
    Request->BindEdits(kSourcePort, "%i{n0x65535}", SourcePortEdit);
    Request->BindEdits(kDestPort, "%i{n0x65535}", DestPortEdit);
    Request->BindEdits(kFlagBits, "%i{n0x63}", FlagBitEdit);
    Request->BindEdits(kProtocolId, "%i{n0x255}", ProtocolIDEdit);
    Request->BindEdits(kUserMask, "%h{l10}", UserMaskEdit);
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

std::vector<TCheckBox*> TCPUFilterIPRuleForm::FieldTicks() const {
  return {cbxVlan,       cbxSource,   cbxDestination, cbxDSCP,     cbxProtocol,
          cbxType,       cbxCode,     cbxSourcePort,  cbxDestPort, cbxFlagBit,
          cbxProtocolID, cbxUserMask, cbxPermit,      cbxRow};
}

void TCPUFilterIPRuleForm::ClearRuleEdits() {
  for (TEdit* e :
       {ProfileIDEdit, AccessEdit, VlanRuleEdit, SourceIPEdit, DestIPEdit, DSCPEdit, TypeEdit,
        CodeEdit, SourcePortEdit, DestPortEdit, FlagBitEdit, ProtocolIDEdit, UserMaskEdit})
    e->SetText("");
  for (TCheckBox* box : FieldTicks()) box->SetChecked(false);
  if (PortFrame) PortFrame->ClearPorts();
  ShowCount();
}

void TCPUFilterIPRuleForm::GetButtonClick(TObject*) { ReadRules(); }

bool TCPUFilterIPRuleForm::ValidateRuleInput() {
  if (!CheckKeys()) return false;
  // The addresses and the user mask are judged by their edits' constraints.
  const std::pair<TCheckBox*, TWinControl*> filled[] = {{cbxVlan, VlanRuleEdit},
                                                        {cbxSource, SourceIPEdit},
                                                        {cbxDestination, DestIPEdit},
                                                        {cbxDSCP, DSCPEdit},
                                                        {cbxProtocol, ProtocolComboBox},
                                                        {cbxProtocolID, ProtocolIDEdit},
                                                        {cbxFlagBit, FlagBitEdit},
                                                        {cbxDestPort, DestPortEdit},
                                                        {cbxSourcePort, SourcePortEdit},
                                                        {cbxType, TypeEdit},
                                                        {cbxCode, CodeEdit},
                                                        {cbxUserMask, UserMaskEdit},
                                                        {cbxPermit, PermitComboBox},
                                                        {cbxRow, RowComboBox}};
  for (const auto& [box, control] : filled)
    if (!TickedFieldFilled(box, control, kFieldEmpty)) return false;
  return CheckPortSelected();
}

void TCPUFilterIPRuleForm::ApplyProtocolFieldMask(TSavedAccess& saved) {
  MaskUnusedProtocolFields(saved, cbxProtocol, ProtocolComboBox, kType);
}

void TCPUFilterIPRuleForm::ApplyFieldMasks(TSavedAccess& saved, bool) {
  ApplyProtocolFieldMask(saved);
}

void TCPUFilterIPRuleForm::AddButtonClick(TObject*) { AddRule(); }

void TCPUFilterIPRuleForm::EditButtonClick(TObject*) { EditRule(); }

void TCPUFilterIPRuleForm::DeleteButtonClick(TObject*) { DeleteRule(); }

void TCPUFilterIPRuleForm::AddCheckButtonClick(TObject*) {
  for (TCheckBox* box : FieldTicks()) box->SetChecked(true);
}

void TCPUFilterIPRuleForm::CleanCheButtonClick(TObject*) {
  for (TCheckBox* box : FieldTicks()) box->SetChecked(false);
}

void TCPUFilterIPRuleForm::ListView1Click(TObject*) { RuleListClick(); }

void TCPUFilterIPRuleForm::ListView1Change(TObject*, TListItem*, TItemChange) { ShowCount(); }

void TCPUFilterIPRuleForm::PermitComboBoxChange(TObject*) {}

void TCPUFilterIPRuleForm::Button1Click(TObject*) { Close(); }

void TCPUFilterIPRuleForm::FormClose(TObject*, TCloseAction& Action) {
  CloseRules();
  Action = caFree;
}
