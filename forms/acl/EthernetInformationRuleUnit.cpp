#include "forms/acl/EthernetInformationRuleUnit.h"

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

TEthernetInformationRuleForm* EthernetInformationRuleForm = nullptr;
VN_REGISTER_FORM_OPENER(TEthernetInformationRuleForm, &EthernetInformationRuleForm);

namespace {

namespace Item = EthernetInformationRuleItem;

constexpr const char* kFieldEmpty = "Some check field is empty";
constexpr const char* kInvalidMac = "Invalid MAC Address";
constexpr const char* kInvalidEtherType = "Invalid Ethernet Type";
constexpr const char* kPriorityRange = "Priority value should between 0-7";

}  // namespace

TEthernetInformationRuleForm::TEthernetInformationRuleForm(TComponent* AOwner)
    : TActionRuleForm(AOwner) {
  BuildComponents();
  ScaleFormForScreen(this);
  Rule.FirstKeyEdit = MaskIDEdit;
  Rule.AccessKeyEdit = AccessEdit;
  Rule.RowStatusItem = Item::kRowStatus;
  Rule.PortItem = Item::kRulePort;
  Rule.ReplaceDscpAfterWrite = true;
  SetRuleActions(EnablePriorityComboBox);
  Rule.FirstKeyMessage = "Mask ID must be set.";
  Rule.AccessKeyMessage = "Access ID must be set.";
  Rule.DuplicateMessage =
      "Has already a record with the same Mask ID and Access ID. Please change eithor of them.";
  TickItems = {{cbxVlan, Item::kRuleVLAN},
               {cbxSource, Item::kRuleSourceMACAddress},
               {cbxDestination, Item::kRuleDestinationMACAddress},
               {cbxIEEE802dot1P, Item::kRule8021P},
               {cbxEtherType, Item::kRuleEthernetType},
               {cbxEnablePriority, Item::kRuleEnablePriority},
               {cbxPriority, Item::kRulePriority},
               {cbxPermit, Item::kPermitRule},
               {cbxRxRate, Item::kRuleRXRate},
               {cbxRow, Item::kRowStatus},
               {cbxEnableReplaceDSCP, Item::kEnableReplaceDSCP},
               {cbxEnableDSCPValue, Item::kReplaceDSCP}};
}

TEthernetInformationRuleForm::~TEthernetInformationRuleForm() = default;

void TEthernetInformationRuleForm::BuildComponents() {
  using F = TEthernetInformationRuleForm;
  TFormBuilder B(this);
  BuildRuleFrame(
      B, {"EthernetInformationRuleForm", "Ethernet Information Rule", 716, 587, 584, 140},
      {{AddCheckButton, "AddCheckButton", "Check All", TNotifyEvent(this, &F::AddCheckButtonClick)},
       {CleanCheButton, "CleanCheButton", "Clear Checks",
        TNotifyEvent(this, &F::CleanCheButtonClick)}});

  TRuleRows rows(B);
  TCheckBox* none = nullptr;
  rows.Edit(none, nullptr, MaskIDEdit, "MaskIDEdit", "Mask ID");
  rows.Edit(none, nullptr, AccessEdit, "AccessEdit", "Access ID");
  rows.Edit(cbxVlan, "cbxVlan", VlanRuleEdit, "VlanRuleEdit", "VLAN Rule");
  rows.Edit(cbxSource, "cbxSource", SourceMACEdit, "SourceMACEdit", "Source MAC Address Rule");
  rows.Edit(cbxDestination, "cbxDestination", DestMACEdit, "DestMACEdit",
            "Destination MAC Address Rule");
  rows.Edit(cbxIEEE802dot1P, "cbxIEEE802dot1P", IEEE8021pEdit, "IEEE8021pEdit", "802.1P Rule");
  rows.Edit(cbxEtherType, "cbxEtherType", EthTypeEdit, "EthTypeEdit", "Ethernet Type Rule");
  rows.Combo(cbxEnablePriority, "cbxEnablePriority", EnablePriorityComboBox,
             "EnablePriorityComboBox", "Enable Priority Rule");
  rows.Edit(cbxPriority, "cbxPriority", PriorityEdit, "PriorityEdit", "Priority Rule");
  rows.Combo(cbxPermit, "cbxPermit", PermitComboBox, "PermitComboBox", "Permit");
  rows.Edit(cbxRxRate, "cbxRxRate", RxRateEdit, "RxRateEdit", "RX Rate");
  rows.Combo(cbxRow, "cbxRow", RowComboBox, "RowComboBox", "Row Status Rule");
  EnablePriorityComboBox->OnChange = TNotifyEvent(this, &F::EnablePriorityComboBoxChange);
  PermitComboBox->OnChange = TNotifyEvent(this, &F::PermitComboBoxChange);
  B.Add(RuleOwnerLabel, "RuleOwnerLabel").Caption("Rule Owner").Hidden();
  B.Add(RuleOwnerComboBox, "RuleOwnerComboBox").Style(csDropDownList).Enabled(false).Hidden();

  TFieldLayout layout;
  layout.Left = 8;
  layout.Top = 156;
  layout.Gap = 4;
  layout.FieldWidth = 100;
  layout.Columns = 2;
  layout.ColumnGap = 16;
  const int dscpTop = ArrangeFieldRows(rows.Rows, layout).Bottom + layout.Gap;
  BuildReplaceDscpRows(B, layout, dscpTop);
  BuildPortPanel(B, dscpTop + 30, 170);
}

void TEthernetInformationRuleForm::FormCreate(TObject*) {
  try {
    CreateRuleRequest(EthernetInformationRuleVars);
    Request->BindEdits(Item::kMaskID, "%i{n1x200}", MaskIDEdit);
    Request->BindEdits(Item::kAccessID, "%i{n1x200}", AccessEdit);
    Request->BindEdits(Item::kRuleVLAN, "%s{l32}", VlanRuleEdit);
    Request->BindEdits(Item::kRuleSourceMACAddress, "%s{l12}", SourceMACEdit);
    Request->BindEdits(Item::kRuleDestinationMACAddress, "%s{l12}", DestMACEdit);
    Request->BindEdits(Item::kRule8021P, "%i{n0x7}", IEEE8021pEdit);
    Request->BindEdits(Item::kRuleEthernetType, "%s{l4}", EthTypeEdit);
    Request->BindComboBox(Item::kRuleEnablePriority, EnablePriorityComboBox);
    Request->BindEdits(Item::kRulePriority, "%i{n0x7}", PriorityEdit);
    Request->BindComboBox(Item::kPermitRule, PermitComboBox);
    Request->BindComboBox(Item::kRowStatus, RowComboBox);
    Request->BindEdits(Item::kRuleRXRate, "%i{n0x156249}", RxRateEdit);
    Request->BindComboBox(Item::kEnableReplaceDSCP, EnableReplaceDSCPComboBox);
    Request->BindEdits(Item::kReplaceDSCP, "%i{n0x63}", DSCPEdit);
  } catch (const Exception& e) {
    ShowFailureInStatusBar(StatusBar1, e.Message);
  }
  ClearRuleEdits();
  EnablePriorityComboBox->SetItemIndex(EthernetInformationRuleRuleEnablePriorityOption::kDisabled);
  PermitComboBox->SetItemIndex(EthernetInformationRulePermitRuleOption::kPermit);
  EnablePriorityComboBoxChange(nullptr);
  EnableReplaceDSCPComboBoxChange(nullptr);
  RowComboBox->SetItemIndex(EthernetInformationRuleRowStatusOption::kCreateAndGo);
  RuleOwnerComboBox->SetItemIndex(kRuleOwnerAcl);
  SetNoSelection();
  FirstRead();
}

void TEthernetInformationRuleForm::ClearRuleEdits() {
  for (TEdit* e : {MaskIDEdit, AccessEdit, VlanRuleEdit, SourceMACEdit, DestMACEdit, IEEE8021pEdit,
                   EthTypeEdit, PriorityEdit, RxRateEdit, DSCPEdit})
    e->SetText("");
  for (const auto& [box, item] : TickItems) box->SetChecked(false);
  // Its handler does not run.
  EnableReplaceDSCPComboBox->SetItemIndex(
      EthernetInformationRuleEnableReplaceDSCPOption::kDisabled);
  if (PortFrame) PortFrame->ClearPorts();
  ShowCount();
}

bool TEthernetInformationRuleForm::ValidateRuleInput() {
  if (!CheckKeys()) return false;
  if (!TickedFieldsFilled({{cbxVlan, VlanRuleEdit},
                           {cbxSource, SourceMACEdit},
                           {cbxDestination, DestMACEdit},
                           {cbxIEEE802dot1P, IEEE8021pEdit},
                           {cbxEtherType, EthTypeEdit},
                           {cbxEnablePriority, EnablePriorityComboBox},
                           {cbxPriority, PriorityEdit},
                           {cbxPermit, PermitComboBox},
                           {cbxRxRate, RxRateEdit},
                           {cbxRow, RowComboBox}},
                          kFieldEmpty))
    return false;
  if (!TickedHexDigits(cbxSource, SourceMACEdit, 12, kInvalidMac) ||
      !TickedHexDigits(cbxDestination, DestMACEdit, 12, kInvalidMac) ||
      !TickedHexDigits(cbxEtherType, EthTypeEdit, 4, kInvalidEtherType))
    return false;
  if (cbxPriority->Checked() && !LeftAlone(PriorityEdit)) {
    const int priority = StrToIntDef(PriorityEdit->Text(), -1);
    if (priority < 0 || priority > 7) {
      ShowMessage(kPriorityRange);
      if (PriorityEdit->Enabled()) FocusIfPossible(PriorityEdit);
      return false;
    }
  }
  return RxRateInRange() &&
         TickedFieldsFilled(
             {{cbxEnableReplaceDSCP, EnableReplaceDSCPComboBox}, {cbxEnableDSCPValue, DSCPEdit}},
             kFieldEmpty) &&
         CheckPortSelected();
}

void TEthernetInformationRuleForm::ApplyFieldMasks(TSavedAccess& saved, bool) {
  ApplyPriorityFieldMask(saved, Item::kRulePriority, Item::kRuleEnablePriority, cbxEnablePriority,
                         EnablePriorityComboBox);
}

void TEthernetInformationRuleForm::AddCheckButtonClick(TObject*) {
  for (TCheckBox* box : {cbxVlan, cbxSource, cbxDestination, cbxIEEE802dot1P, cbxEtherType,
                         cbxEnablePriority, cbxPriority, cbxPermit, cbxRow, cbxRxRate})
    box->SetChecked(true);
  TickReplaceDscpWhenEnabled();
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

void TEthernetInformationRuleForm::EnablePriorityComboBoxChange(TObject*) { PriorityChange(true); }
