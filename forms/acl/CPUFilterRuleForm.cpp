#include "forms/acl/CPUFilterRuleForm.h"

#include "app/StackingPortUitFormUnit.h"
#include "forms/common/FeatureForm.h"
#include "library/VnSNMPRequest2Edits.h"
#include "platform/ComCtrls.h"
#include "platform/Exceptions.h"
#include "platform/ExtCtrls.h"
#include "platform/FormBuilder.h"
#include "platform/Layout.h"
#include "platform/StdCtrls.h"
#include "platform/SysUtils.h"

namespace {

constexpr const char* kFieldEmpty = "Some check field is empty";
constexpr const char* kKeyBinding = "%i{n1x200}";

}  // namespace

TCPUFilterRuleForm::TCPUFilterRuleForm(TComponent* AOwner) : TAccessRuleForm(AOwner) {}

TCPUFilterRuleForm::~TCPUFilterRuleForm() = default;

void TCPUFilterRuleForm::BuildRuleForm(const TRuleLayout& layout, const std::vector<TField>& fields,
                                       const std::vector<TCheckBox**>& checkOrder) {
  using F = TCPUFilterRuleForm;
  TFormBuilder B(this);
  B.Form()
      .Caption(layout.Caption)
      .Size(layout.Width, layout.Height)
      .Position(poScreenCenter)
      .BorderStyle(bsSingle)
      .Font("MS Sans Serif", -11)
      .OnCreate(this, &F::FormCreate)
      .OnClose(this, &F::FormClose);
  SetName(layout.FormName);

  B.Add(StatusBar1, "StatusBar1").Align(alBottom).Panels({50});
  BuildRuleButtonColumn(
      B, Panel1, StaticText1,
      {{GetButton, "GetButton", "Refresh", TNotifyEvent(this, &F::GetButtonClick)},
       {EditButton, "EditButton", "Edit", TNotifyEvent(this, &F::EditButtonClick)},
       {AddButton, "AddButton", "Add", TNotifyEvent(this, &F::AddButtonClick)},
       {DeleteButton, "DeleteButton", "Delete", TNotifyEvent(this, &F::DeleteButtonClick)},
       {AddCheckButton, "AddCheckButton", "Check All", TNotifyEvent(this, &F::AddCheckButtonClick)},
       {CleanCheButton, "CleanCheButton", "Clear Checks",
        TNotifyEvent(this, &F::CleanCheButtonClick)},
       {Button1, "Button1", "Close", TNotifyEvent(this, &F::Button1Click)}});
  BuildListPanel(B, Panel2, ListView1, 8, 8, layout.Width - 132, 150,
                 TNotifyEvent(this, &F::ListView1Click), TLVChangeEvent(this, &F::ListView1Change));

  TRuleRows rows(B);
  TCheckBox* none = nullptr;
  rows.Edit(none, nullptr, ProfileIDEdit, "ProfileIDEdit", "Profile ID");
  rows.Edit(none, nullptr, AccessEdit, "AccessEdit", "Access ID");
  for (const TField& f : fields) rows.Edit(*f.Tick, f.TickName, *f.Edit, f.EditName, f.Label);
  rows.Combo(cbxPermit, "cbxPermit", PermitComboBox, "PermitComboBox", "Permit");
  rows.Combo(cbxRow, "cbxRow", RowComboBox, "RowComboBox", "Row Status");
  PermitComboBox->OnChange = TNotifyEvent(this, &F::PermitComboBoxChange);
  B.Add(RuleOwnerComboBox, "RuleOwnerComboBox").Style(csDropDownList).Enabled(false).Hidden();

  TFieldLayout fieldLayout;
  fieldLayout.Left = 8;
  fieldLayout.Top = 166;
  fieldLayout.Gap = 4;
  fieldLayout.FieldWidth = 230;
  fieldLayout.Columns = 2;
  fieldLayout.ColumnGap = 24;
  const TRect placed = ArrangeFieldRows(rows.Rows, fieldLayout);
  B.Add(StackingPortPanel, "StackingPortPanel")
      .At(8, placed.Bottom + 8, layout.Width - 132, 150)
      .BevelOuter(bvLowered);

  table_ = layout.Table;
  permitItem_ = layout.PermitItem;
  fields_ = fields;
  for (TCheckBox** box : checkOrder)
    for (const TField& f : fields)
      if (f.Tick == box) checks_.push_back({*box, *f.Edit});
  checks_.push_back({cbxPermit, PermitComboBox});
  checks_.push_back({cbxRow, RowComboBox});

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
  Rule.RowStatusItem = layout.RowStatusItem;
  Rule.PortItem = layout.PortItem;
  Rule.FirstKeyMessage = "Profile ID must be set.";
  Rule.AccessKeyMessage = "Access ID must be set.";
  Rule.DuplicateMessage =
      "Has already a record with the same Profile ID and Access ID. Please change eithor of them.";
  Rule.DeleteCarriesPorts = true;
  for (const TField& f : fields) TickItems.push_back({*f.Tick, f.Item});
  TickItems.push_back({cbxPermit, layout.PermitItem});
  TickItems.push_back({cbxRow, layout.RowStatusItem});
  ScaleFormForScreen(this);
}

std::vector<TCheckBox*> TCPUFilterRuleForm::Ticks() const {
  std::vector<TCheckBox*> ticks;
  for (const auto& tick : TickItems) ticks.push_back(tick.first);
  return ticks;
}

void TCPUFilterRuleForm::FormCreate(TObject*) {
  try {
    CreateRuleRequest(table_);
    Request->BindEdits(0, kKeyBinding, ProfileIDEdit);
    Request->BindEdits(1, kKeyBinding, AccessEdit);
    for (const TField& f : fields_) Request->BindEdits(f.Item, f.Binding, *f.Edit);
    Request->BindComboBox(permitItem_, PermitComboBox);
    Request->BindComboBox(Rule.RowStatusItem, RowComboBox);
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

void TCPUFilterRuleForm::ClearRuleEdits() {
  ProfileIDEdit->SetText("");
  AccessEdit->SetText("");
  for (const TField& f : fields_) (*f.Edit)->SetText("");
  for (TCheckBox* box : Ticks()) box->SetChecked(false);
  if (PortFrame) PortFrame->ClearPorts();
  ShowCount();
}

bool TCPUFilterRuleForm::ValidateRuleInput() {
  if (!CheckKeys()) return false;
  for (const auto& [box, control] : checks_)
    if (!TickedFieldFilled(box, control, kFieldEmpty)) return false;
  return CheckPortSelected();
}

void TCPUFilterRuleForm::GetButtonClick(TObject*) { ReadRules(); }

void TCPUFilterRuleForm::AddButtonClick(TObject*) { AddRule(); }

void TCPUFilterRuleForm::EditButtonClick(TObject*) { EditRule(); }

void TCPUFilterRuleForm::DeleteButtonClick(TObject*) { DeleteRule(); }

void TCPUFilterRuleForm::AddCheckButtonClick(TObject*) { SetAllTicks(true); }

void TCPUFilterRuleForm::CleanCheButtonClick(TObject*) { SetAllTicks(false); }

void TCPUFilterRuleForm::ListView1Click(TObject*) { RuleListClick(); }

void TCPUFilterRuleForm::ListView1Change(TObject*, TListItem*, TItemChange) { ShowCount(); }

void TCPUFilterRuleForm::PermitComboBoxChange(TObject*) {}

void TCPUFilterRuleForm::Button1Click(TObject*) { Close(); }

void TCPUFilterRuleForm::FormClose(TObject*, TCloseAction& Action) {
  CloseRules();
  Action = caFree;
}
