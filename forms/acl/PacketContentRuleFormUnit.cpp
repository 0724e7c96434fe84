#include "forms/acl/PacketContentRuleFormUnit.h"

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

TPktContentRuleForm* PktContentRuleForm = nullptr;
VN_REGISTER_FORM_OPENER(TPktContentRuleForm, &PktContentRuleForm);

namespace {

// Items of the packet-content rule table.
enum : int {
  kProfileId = 0,
  kAccessId = 1,
  kChunk1Value = 2,
  kChunk1 = 3,
  kChunk2Value = 4,
  kChunk2 = 5,
  kChunk3Value = 6,
  kChunk3 = 7,
  kChunk4Value = 8,
  kChunk4 = 9,
  kEnablePriority = 10,
  kPriority = 11,
  kPermit = 12,
  kPorts = 13,
  kRowStatus = 14,
  kRxRate = 15,
  kEnableReplaceDscp = 16,
  kReplaceDscp = 17,
};

constexpr const char* kCheckedFieldEmpty = "Some checked field is empty";
constexpr const char* kCheckFieldEmpty = "Some check field is empty";
constexpr const char* kInvalidOffset = "Invalid Offset";
constexpr int kChunkDigits = 8;

}  // namespace

TPktContentRuleForm::TPktContentRuleForm(TComponent* AOwner) : TAccessRuleForm(AOwner) {
  BuildComponents();
  ScaleFormForScreen(this);
  Rule.List = ListView1;
  Rule.FirstKeyEdit = edtProfile;
  Rule.AccessKeyEdit = edtAccess;
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
  TickItems = {{cbxChunk1Offset, kChunk1},
               {cbxChunk2Offset, kChunk2},
               {cbxChunk3Offset, kChunk3},
               {cbxChunk4Offset, kChunk4},
               {cbxEnablePriority, kEnablePriority},
               {cbxPriority, kPriority},
               {cbxPermit, kPermit},
               {cbxRxRate, kRxRate},
               {cbxRow, kRowStatus},
               {cbxEnableReplaceDSCP, kEnableReplaceDscp},
               {cbxEnableDSCPValue, kReplaceDscp}};
}

TPktContentRuleForm::~TPktContentRuleForm() = default;

void TPktContentRuleForm::BuildComponents() {
  TFormBuilder B(this);
  B.Form()
      .Caption("Packet Content Rule")
      .Size(827, 681)
      .Position(poScreenCenter)
      .BorderStyle(bsSingle)
      .Font("MS Sans Serif", -11)
      .OnCreate(this, &TPktContentRuleForm::FormCreate)
      .OnClose(this, &TPktContentRuleForm::FormClose);
  SetName("PktContentRuleForm");

  B.Add(StatusBar1, "StatusBar1").Align(alBottom).Panels({50});
  BuildRuleButtonColumn(
      B, Panel1, StaticText1,
      {{GetButton, "GetButton", "Refresh",
        TNotifyEvent(this, &TPktContentRuleForm::GetButtonClick)},
       {EditButton, "EditButton", "Edit",
        TNotifyEvent(this, &TPktContentRuleForm::EditButtonClick)},
       {AddButton, "AddButton", "Add", TNotifyEvent(this, &TPktContentRuleForm::AddButtonClick)},
       {DeleteButton, "DeleteButton", "Delete",
        TNotifyEvent(this, &TPktContentRuleForm::DeleteButtonClick)},
       {CheckButton, "CheckButton", "Check All",
        TNotifyEvent(this, &TPktContentRuleForm::CheckButtonClick)},
       {UncheckButton, "UncheckButton", "Clear Checks",
        TNotifyEvent(this, &TPktContentRuleForm::UncheckButtonClick)}});
  BuildListPanel(B, Panel2, ListView1, 8, 8, 695, 150,
                 TNotifyEvent(this, &TPktContentRuleForm::ListView1Click),
                 TLVChangeEvent(this, &TPktContentRuleForm::ListView1Change));

  std::vector<TFieldRow> rows;
  int n = 0;
  auto label = [&](const char* caption) {
    return B.Make<TLabel>("Label" + IntToStr(++n)).Caption(caption).Get();
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
  TCheckBox* none = nullptr;
  edit(none, nullptr, edtProfile, "edtProfile", "Profile ID");
  edit(none, nullptr, edtAccess, "edtAccess", "Access ID");
  edit(none, nullptr, edtChunk1Value, "edtChunk1Value", "Offset Chunk1");
  edit(cbxChunk1Offset, "cbxChunk1Offset", edtChunk1Offset, "edtChunk1Offset", "Chunk1 Value");
  edit(none, nullptr, edtChunk2Value, "edtChunk2Value", "Offset Chunk2");
  edit(cbxChunk2Offset, "cbxChunk2Offset", edtChunk2Offset, "edtChunk2Offset", "Chunk2 Value");
  edit(none, nullptr, edtChunk3Value, "edtChunk3Value", "Offset Chunk3");
  edit(cbxChunk3Offset, "cbxChunk3Offset", edtChunk3Offset, "edtChunk3Offset", "Chunk3 Value");
  edit(none, nullptr, edtChunk4Value, "edtChunk4Value", "Offset Chunk4");
  edit(cbxChunk4Offset, "cbxChunk4Offset", edtChunk4Offset, "edtChunk4Offset", "Chunk4 Value");
  combo(cbxEnablePriority, "cbxEnablePriority", PriorityComboBox, "PriorityComboBox",
        "Enable Priority");
  edit(cbxPriority, "cbxPriority", PriorityEdit, "PriorityEdit", "Priority");
  combo(cbxPermit, "cbxPermit", PermitComboBox, "PermitComboBox", "Permit");
  combo(cbxRow, "cbxRow", RowComboBox, "RowComboBox", "Row Status");
  edit(cbxRxRate, "cbxRxRate", RxRateEdit, "RxRateEdit", "Rx Rate");
  // The replace-DSCP tick boxes carry their captions in the label's place.
  B.Add(cbxEnableReplaceDSCP, "cbxEnableReplaceDSCP").Caption(" Enable Replace DSCP").Width(160);
  B.Add(EnableReplaceDSCPComboBox, "EnableReplaceDSCPComboBox").Style(csDropDownList);
  rows.push_back({cbxEnableReplaceDSCP, EnableReplaceDSCPComboBox, nullptr});
  B.Add(cbxEnableDSCPValue, "cbxEnableDSCPValue").Caption(" Replace DSCP Value").Width(160);
  B.Add(DSCPEdit, "DSCPEdit");
  rows.push_back({cbxEnableDSCPValue, DSCPEdit, nullptr});
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
  const TRect fields = ArrangeFieldRows(rows, layout);

  B.Add(StackingPortPanel, "StackingPortPanel")
      .At(8, fields.Bottom + 8, 695, 150)
      .BevelOuter(bvLowered);
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
    Request->BindEdits(kProfileId, "%i{n1x6}", edtProfile);
    Request->BindEdits(kAccessId, "%i{n1x128}", edtAccess);
    Request->BindEdits(kChunk1Value, "%i", edtChunk1Value);
    Request->BindEdits(kChunk1, "%s{l8}", edtChunk1Offset);
    Request->BindEdits(kChunk2Value, "%i", edtChunk2Value);
    Request->BindEdits(kChunk2, "%s{l8}", edtChunk2Offset);
    Request->BindEdits(kChunk3Value, "%i", edtChunk3Value);
    Request->BindEdits(kChunk3, "%s{l8}", edtChunk3Offset);
    Request->BindEdits(kChunk4Value, "%i", edtChunk4Value);
    Request->BindEdits(kChunk4, "%s{l8}", edtChunk4Offset);
    Request->BindComboBox(kEnablePriority, PriorityComboBox);
    Request->BindEdits(kPriority, "%i{n0x7l1}", PriorityEdit);
    Request->BindComboBox(kPermit, PermitComboBox);
    Request->BindComboBox(kRowStatus, RowComboBox);
    Request->BindEdits(kRxRate, "%i{n0x156249}", RxRateEdit);
    Request->BindComboBox(kEnableReplaceDscp, EnableReplaceDSCPComboBox);
    Request->BindEdits(kReplaceDscp, "%i{n0x63}", DSCPEdit);
  } catch (const Exception& e) {
    ShowFailureInStatusBar(StatusBar1, e.Message);
  }
  ClearRuleEdits();
  PriorityComboBox->SetItemIndex(1);  // disabled
  PermitComboBox->SetItemIndex(kRulePermit);
  RowComboBox->SetItemIndex(kRuleCreateAndGo);
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
  EnableReplaceDSCPComboBox->SetItemIndex(1);  // disabled; its handler does not run
  if (PortFrame) PortFrame->ClearPorts();
}

bool TPktContentRuleForm::ValidateRuleInput() {
  if (!CheckKeys()) return false;
  for (const auto& [box, edit] : Chunks()) {
    if (!TickedFieldFilled(box, edit, kCheckedFieldEmpty)) return false;
    if (box->Checked() && !ValidateHexDigits(edit->Text(), kChunkDigits, kInvalidOffset)) {
      if (edit->Enabled()) FocusIfPossible(edit);
      return false;
    }
  }
  const std::pair<TCheckBox*, TWinControl*> actions[] = {{cbxEnablePriority, PriorityComboBox},
                                                         {cbxPriority, PriorityEdit},
                                                         {cbxPermit, PermitComboBox},
                                                         {cbxRxRate, RxRateEdit}};
  for (const auto& [box, control] : actions)
    if (!TickedFieldFilled(box, control, kCheckedFieldEmpty)) return false;
  if (cbxRxRate->Checked()) {
    const int rate = StrToIntDef(RxRateEdit->Text(), -1);
    if (rate < 0 || rate > kRxRateMax) {
      ShowMessage(kRxRateRange);
      if (RxRateEdit->Enabled()) FocusIfPossible(RxRateEdit);
      return false;
    }
  }
  if (!TickedFieldFilled(cbxRow, RowComboBox, kCheckedFieldEmpty)) return false;
  if (!TickedFieldFilled(cbxEnableReplaceDSCP, EnableReplaceDSCPComboBox, kCheckFieldEmpty))
    return false;
  if (!TickedFieldFilled(cbxEnableDSCPValue, DSCPEdit, kCheckFieldEmpty)) return false;
  return CheckPortSelected();
}

void TPktContentRuleForm::ApplyFieldMasks(TSavedAccess& saved, bool) {
  ApplyPriorityFieldMask(saved, kPriority, kEnablePriority, cbxEnablePriority, PriorityComboBox);
}

void TPktContentRuleForm::GetButtonClick(TObject*) {
  ReadRules();
  EnableReplaceDSCPComboBoxChange(nullptr);
}

void TPktContentRuleForm::AddButtonClick(TObject*) { AddRule(); }

void TPktContentRuleForm::EditButtonClick(TObject*) { EditRule(); }

void TPktContentRuleForm::DeleteButtonClick(TObject*) { DeleteRule(); }

void TPktContentRuleForm::CheckButtonClick(TObject*) {
  for (const auto& chunk : Chunks()) chunk.first->SetChecked(true);
  cbxEnablePriority->SetChecked(true);
  if (cbxPriority->Enabled()) cbxPriority->SetChecked(true);
  for (TCheckBox* box : {cbxPermit, cbxRxRate, cbxRow}) box->SetChecked(true);
  if (ComboText(EnableReplaceDSCPComboBox) == "enabled") {
    for (TCheckBox* box : {cbxEnableReplaceDSCP, cbxEnableDSCPValue}) {
      box->SetEnabled(true);
      box->SetChecked(true);
    }
  }
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

void TPktContentRuleForm::ListView1Change(TObject*, TListItem*, TItemChange) { ShowCount(); }

void TPktContentRuleForm::PriorityComboBoxChange(TObject*) {
  const AnsiString text = ComboText(PriorityComboBox);
  if (text != "enabled" && text != "disabled") return;
  const bool enabled = text == "enabled";
  cbxPriority->SetEnabled(enabled);
  cbxPriority->SetChecked(false);
  PriorityEdit->SetEnabled(enabled);
}

void TPktContentRuleForm::EnableReplaceDSCPComboBoxChange(TObject*) {
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

void TPktContentRuleForm::FormClose(TObject*, TCloseAction& Action) {
  CloseRules();
  Action = caFree;
}
