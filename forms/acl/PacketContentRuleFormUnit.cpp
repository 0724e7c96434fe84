#include "forms/acl/PacketContentRuleFormUnit.h"

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

TPktContentRuleForm* PktContentRuleForm = nullptr;
VN_REGISTER_FORM_OPENER(TPktContentRuleForm, &PktContentRuleForm);

namespace {

namespace Item = PktContentRuleItem;

constexpr const char* kCheckedFieldEmpty = "Some checked field is empty";
constexpr const char* kInvalidOffset = "Invalid Offset";
constexpr int kChunkDigits = 8;

}  // namespace

TPktContentRuleForm::TPktContentRuleForm(TComponent* AOwner) : TActionRuleForm(AOwner) {
  BuildComponents();
  ScaleFormForScreen(this);
  Rule.FirstKeyEdit = edtProfile;
  Rule.AccessKeyEdit = edtAccess;
  Rule.RowStatusItem = Item::kRowStatus;
  Rule.PortItem = Item::kRulePort;
  SetRuleActions(PriorityComboBox);
  Rule.FirstKeyMessage = "IP Rule ID must be set.";
  Rule.AccessKeyMessage = "IP Rule Access ID must be set.";
  Rule.DuplicateMessage =
      "Has already a record with the same IP Rule ID and Access ID. Please change eithor of them.";
  TickItems = {{cbxChunk1Offset, Item::kChunk1},
               {cbxChunk2Offset, Item::kChunk2},
               {cbxChunk3Offset, Item::kChunk3},
               {cbxChunk4Offset, Item::kChunk4},
               {cbxEnablePriority, Item::kEnablePriority},
               {cbxPriority, Item::kPriority},
               {cbxPermit, Item::kPermit},
               {cbxRxRate, Item::kRxRate},
               {cbxRow, Item::kRowStatus},
               {cbxEnableReplaceDSCP, Item::kEnableReplaceDSCP},
               {cbxEnableDSCPValue, Item::kReplaceDSCPValue}};
}

TPktContentRuleForm::~TPktContentRuleForm() = default;

void TPktContentRuleForm::BuildComponents() {
  TFormBuilder B(this);
  BuildRuleFrame(B, {"PktContentRuleForm", "Packet Content Rule", 827, 681, 695, 150},
                 {{CheckButton, "CheckButton", "Check All",
                   TNotifyEvent(this, &TPktContentRuleForm::CheckButtonClick)},
                  {UncheckButton, "UncheckButton", "Clear Checks",
                   TNotifyEvent(this, &TPktContentRuleForm::UncheckButtonClick)}});

  TRuleRows rows(B);
  TCheckBox* none = nullptr;
  rows.Edit(none, nullptr, edtProfile, "edtProfile", "Profile ID");
  rows.Edit(none, nullptr, edtAccess, "edtAccess", "Access ID");
  rows.Edit(none, nullptr, edtChunk1Value, "edtChunk1Value", "Offset Chunk1");
  rows.Edit(cbxChunk1Offset, "cbxChunk1Offset", edtChunk1Offset, "edtChunk1Offset", "Chunk1 Value");
  rows.Edit(none, nullptr, edtChunk2Value, "edtChunk2Value", "Offset Chunk2");
  rows.Edit(cbxChunk2Offset, "cbxChunk2Offset", edtChunk2Offset, "edtChunk2Offset", "Chunk2 Value");
  rows.Edit(none, nullptr, edtChunk3Value, "edtChunk3Value", "Offset Chunk3");
  rows.Edit(cbxChunk3Offset, "cbxChunk3Offset", edtChunk3Offset, "edtChunk3Offset", "Chunk3 Value");
  rows.Edit(none, nullptr, edtChunk4Value, "edtChunk4Value", "Offset Chunk4");
  rows.Edit(cbxChunk4Offset, "cbxChunk4Offset", edtChunk4Offset, "edtChunk4Offset", "Chunk4 Value");
  rows.Combo(cbxEnablePriority, "cbxEnablePriority", PriorityComboBox, "PriorityComboBox",
             "Enable Priority");
  rows.Edit(cbxPriority, "cbxPriority", PriorityEdit, "PriorityEdit", "Priority");
  rows.Combo(cbxPermit, "cbxPermit", PermitComboBox, "PermitComboBox", "Permit");
  rows.Combo(cbxRow, "cbxRow", RowComboBox, "RowComboBox", "Row Status");
  rows.Edit(cbxRxRate, "cbxRxRate", RxRateEdit, "RxRateEdit", "Rx Rate");
  rows.CaptionedCombo(cbxEnableReplaceDSCP, "cbxEnableReplaceDSCP", " Enable Replace DSCP", 160,
                      EnableReplaceDSCPComboBox, "EnableReplaceDSCPComboBox");
  rows.CaptionedEdit(cbxEnableDSCPValue, "cbxEnableDSCPValue", " Replace DSCP Value", 160, DSCPEdit,
                     "DSCPEdit");
  PriorityComboBox->OnChange = TNotifyEvent(this, &TPktContentRuleForm::PriorityComboBoxChange);
  EnableReplaceDSCPComboBox->OnChange =
      TNotifyEvent(this, &TPktContentRuleForm::EnableReplaceDSCPComboBoxChange);
  B.Add(TimeRangeLabel, "TimeRangeLabel").Caption("Time Range").Hidden();
  B.Add(cbxTimeRange, "cbxTimeRange").Hidden();
  B.Add(edtTimeRange, "edtTimeRange").Hidden();
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

std::vector<std::pair<TCheckBox*, TEdit*>> TPktContentRuleForm::Chunks() const {
  return {{cbxChunk1Offset, edtChunk1Offset},
          {cbxChunk2Offset, edtChunk2Offset},
          {cbxChunk3Offset, edtChunk3Offset},
          {cbxChunk4Offset, edtChunk4Offset}};
}

void TPktContentRuleForm::FormCreate(TObject*) {
  try {
    CreateRuleRequest(PktContentRuleVars);
    Request->BindEdits(Item::kProfileID, "%i{n1x6}", edtProfile);
    Request->BindEdits(Item::kAccessID, "%i{n1x128}", edtAccess);
    Request->BindEdits(Item::kChunk1Value, "%i", edtChunk1Value);
    Request->BindEdits(Item::kChunk1, "%s{l8}", edtChunk1Offset);
    Request->BindEdits(Item::kChunk2Value, "%i", edtChunk2Value);
    Request->BindEdits(Item::kChunk2, "%s{l8}", edtChunk2Offset);
    Request->BindEdits(Item::kChunk3Value, "%i", edtChunk3Value);
    Request->BindEdits(Item::kChunk3, "%s{l8}", edtChunk3Offset);
    Request->BindEdits(Item::kChunk4Value, "%i", edtChunk4Value);
    Request->BindEdits(Item::kChunk4, "%s{l8}", edtChunk4Offset);
    Request->BindComboBox(Item::kEnablePriority, PriorityComboBox);
    Request->BindEdits(Item::kPriority, "%i{n0x7l1}", PriorityEdit);
    Request->BindComboBox(Item::kPermit, PermitComboBox);
    Request->BindComboBox(Item::kRowStatus, RowComboBox);
    Request->BindEdits(Item::kRxRate, "%i{n0x156249}", RxRateEdit);
    Request->BindComboBox(Item::kEnableReplaceDSCP, EnableReplaceDSCPComboBox);
    Request->BindEdits(Item::kReplaceDSCPValue, "%i{n0x63}", DSCPEdit);
  } catch (const Exception& e) {
    ShowFailureInStatusBar(StatusBar1, e.Message);
  }
  ClearRuleEdits();
  PriorityComboBox->SetItemIndex(PktContentRuleEnablePriorityOption::kDisabled);
  PermitComboBox->SetItemIndex(PktContentRulePermitOption::kPermit);
  RowComboBox->SetItemIndex(PktContentRuleRowStatusOption::kCreateAndGo);
  PriorityComboBoxChange(nullptr);
  EnableReplaceDSCPComboBoxChange(nullptr);
  SetNoSelection();
  FirstRead();
}

void TPktContentRuleForm::ClearRuleEdits() {
  for (TEdit* e : {edtProfile, edtAccess, edtChunk1Value, edtChunk2Value, edtChunk3Value,
                   edtChunk4Value, edtChunk1Offset, edtChunk2Offset, edtChunk3Offset,
                   edtChunk4Offset, PriorityEdit, RxRateEdit, DSCPEdit})
    e->SetText("");
  ShowCount();
  for (TCheckBox* box :
       {cbxChunk1Offset, cbxChunk2Offset, cbxChunk3Offset, cbxChunk4Offset, cbxEnablePriority,
        cbxPermit, cbxRxRate, cbxTimeRange, cbxRow, cbxEnableReplaceDSCP, cbxEnableDSCPValue})
    box->SetChecked(false);
  if (cbxPriority->Enabled()) cbxPriority->SetChecked(false);
  // Its handler does not run.
  EnableReplaceDSCPComboBox->SetItemIndex(PktContentRuleEnableReplaceDSCPOption::kDisabled);
  if (PortFrame) PortFrame->ClearPorts();
}

bool TPktContentRuleForm::ValidateRuleInput() {
  if (!CheckKeys()) return false;
  for (const auto& [box, edit] : Chunks()) {
    if (!TickedFieldFilled(box, edit, kCheckedFieldEmpty)) return false;
    if (!TickedHexDigits(box, edit, kChunkDigits, kInvalidOffset)) return false;
  }
  return ValidateActionFields(PriorityComboBox, kCheckedFieldEmpty);
}

void TPktContentRuleForm::ApplyFieldMasks(TSavedAccess& saved, bool) {
  ApplyPriorityFieldMask(saved, Item::kPriority, Item::kEnablePriority, cbxEnablePriority,
                         PriorityComboBox);
}

void TPktContentRuleForm::CheckButtonClick(TObject*) {
  for (const auto& chunk : Chunks()) chunk.first->SetChecked(true);
  cbxEnablePriority->SetChecked(true);
  if (cbxPriority->Enabled()) cbxPriority->SetChecked(true);
  for (TCheckBox* box : {cbxPermit, cbxRxRate, cbxRow}) box->SetChecked(true);
  TickReplaceDscpWhenEnabled();
}

void TPktContentRuleForm::UncheckButtonClick(TObject*) {
  for (const auto& chunk : Chunks()) chunk.first->SetChecked(false);
  cbxEnablePriority->SetChecked(false);
  if (cbxPriority->Enabled()) cbxPriority->SetChecked(false);
  for (TCheckBox* box : {cbxPermit, cbxRxRate, cbxRow, cbxEnableReplaceDSCP, cbxEnableDSCPValue})
    box->SetChecked(false);
}

void TPktContentRuleForm::ListView1Click(TObject*) {
  if (RuleListClick()) EnableReplaceDSCPComboBoxChange(nullptr);
  PriorityComboBoxChange(nullptr);
}

void TPktContentRuleForm::PriorityComboBoxChange(TObject*) { PriorityChange(false); }
