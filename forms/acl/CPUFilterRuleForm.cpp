#include "forms/acl/CPUFilterRuleForm.h"

#include "catalogue/AclMib.h"
#include "forms/common/FeatureForm.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/StackingPortUitFormUnit.h"
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
// The key columns of the four CPU rule tables: the profile, then the rule.
constexpr int kProfileIdItem = CPUFilterIPRuleItem::kProfileID;
constexpr int kAccessIdItem = CPUFilterIPRuleItem::kAccessID;
static_assert(CPUFilterEthernetRuleItem::kProfileID == kProfileIdItem &&
              CPUFilterEthernetRuleItem::kAccessID == kAccessIdItem &&
              CPUFilterPktCntRuleItem::kProfileID == kProfileIdItem &&
              CPUFilterPktCntRuleItem::kAccessID == kAccessIdItem &&
              CPUFilterIPV6RuleItem::kProfileID == kProfileIdItem &&
              CPUFilterIPV6RuleItem::kAccessID == kAccessIdItem);
// The position of createAndGo in the row-status combo box, which the four
// CPU rule tables fill with the same options.
constexpr int kRuleCreateAndGo = CPUFilterIPRuleRowStatusOption::kCreateAndGo;
static_assert(CPUFilterEthernetRuleRowStatusOption::kCreateAndGo == kRuleCreateAndGo &&
              CPUFilterPktCntRuleRowStatusOption::kCreateAndGo == kRuleCreateAndGo &&
              CPUFilterIPV6RuleRowStatusOption::kCreateAndGo == kRuleCreateAndGo);
// The position of "permit" in the permit combo box, alike in the four tables.
constexpr int kCpuRulePermit = CPUFilterIPRulePermitOption::kPermit;
static_assert(CPUFilterEthernetRulePermitOption::kPermit == kCpuRulePermit &&
              CPUFilterPktCntRulePermitOption::kPermit == kCpuRulePermit &&
              CPUFilterIPV6RulePermitOption::kPermit == kCpuRulePermit);

}  // namespace

TCPUFilterRuleForm::TCPUFilterRuleForm(TComponent* AOwner) : TAccessRuleForm(AOwner) {}

TCPUFilterRuleForm::~TCPUFilterRuleForm() = default;

void TCPUFilterRuleForm::BuildRuleForm(const TRuleLayout& layout, const std::vector<TField>& fields,
                                       const std::vector<TCheckBox**>& checkOrder) {
  using F = TCPUFilterRuleForm;
  TFormBuilder B(this);
  BuildRuleFrame(
      B,
      {layout.FormName, layout.Caption, layout.Width, layout.Height, layout.Width - 132,
       layout.ListHeight},
      {{AddCheckButton, "AddCheckButton", "Check All", TNotifyEvent(this, &F::AddCheckButtonClick)},
       {CleanCheButton, "CleanCheButton", "Clear Checks",
        TNotifyEvent(this, &F::CleanCheButtonClick)},
       {Button1, "Button1", "Close", TNotifyEvent(this, &F::Button1Click)}});

  TRuleRows rows(B);
  TCheckBox* none = nullptr;
  rows.Edit(none, nullptr, ProfileIDEdit, "ProfileIDEdit", "Profile ID");
  rows.Edit(none, nullptr, AccessEdit, "AccessEdit", "Access ID");
  for (const TField& f : fields) {
    if (f.Combo)
      rows.Combo(*f.Tick, f.TickName, *f.Combo, f.EditName, f.Label);
    else
      rows.Edit(*f.Tick, f.TickName, *f.Edit, f.EditName, f.Label);
  }
  rows.Combo(cbxPermit, "cbxPermit", PermitComboBox, "PermitComboBox", "Permit");
  rows.Combo(cbxRow, "cbxRow", RowComboBox, "RowComboBox", "Row Status");
  PermitComboBox->OnChange = TNotifyEvent(this, &F::PermitComboBoxChange);
  B.Add(RuleOwnerComboBox, "RuleOwnerComboBox").Style(csDropDownList).Enabled(false).Hidden();

  TFieldLayout fieldLayout;
  fieldLayout.Left = 8;
  fieldLayout.Top = 16 + layout.ListHeight;
  fieldLayout.Gap = 4;
  fieldLayout.FieldWidth = layout.FieldWidth;
  fieldLayout.Columns = 2;
  fieldLayout.ColumnGap = layout.ColumnGap;
  BuildPortPanel(B, ArrangeFieldRows(rows.Rows, fieldLayout).Bottom + 8, 150);

  table_ = layout.Table;
  permitItem_ = layout.PermitItem;
  fields_ = fields;
  auto control = [](const TField& f) -> TWinControl* {
    if (f.Combo) return *f.Combo;
    return *f.Edit;
  };
  for (TCheckBox** box : checkOrder)
    for (const TField& f : fields)
      if (f.Tick == box) checks_.push_back({*box, control(f)});
  checks_.push_back({cbxPermit, PermitComboBox});
  checks_.push_back({cbxRow, RowComboBox});

  Rule.FirstKeyEdit = ProfileIDEdit;
  Rule.AccessKeyEdit = AccessEdit;
  Rule.RowStatusItem = layout.RowStatusItem;
  Rule.PortItem = layout.PortItem;
  Rule.FirstKeyMessage = "Profile ID must be set.";
  Rule.AccessKeyMessage = "Access ID must be set.";
  Rule.DuplicateMessage =
      "Has already a record with the same Profile ID and Access ID. Please change eithor of them.";
  Rule.DeleteCarriesPorts = true;
  for (const TField& f : fields) {
    TickItems.push_back({*f.Tick, f.Item});
    ticks_.push_back(*f.Tick);
  }
  if (!layout.PermitAlwaysWritten) TickItems.push_back({cbxPermit, layout.PermitItem});
  TickItems.push_back({cbxRow, layout.RowStatusItem});
  ticks_.push_back(cbxPermit);
  ticks_.push_back(cbxRow);
  ScaleFormForScreen(this);
}

void TCPUFilterRuleForm::FormCreate(TObject*) {
  try {
    CreateRuleRequest(table_);
    Request->BindEdits(kProfileIdItem, kKeyBinding, ProfileIDEdit);
    Request->BindEdits(kAccessIdItem, kKeyBinding, AccessEdit);
    for (const TField& f : fields_) {
      if (f.Combo)
        Request->BindComboBox(f.Item, *f.Combo);
      else
        Request->BindEdits(f.Item, f.Binding, *f.Edit);
    }
    Request->BindComboBox(permitItem_, PermitComboBox);
    Request->BindComboBox(Rule.RowStatusItem, RowComboBox);
  } catch (const Exception& e) {
    ShowFailureInStatusBar(StatusBar1, e.Message);
  }
  ClearRuleEdits();
  PermitComboBox->SetItemIndex(kCpuRulePermit);
  RowComboBox->SetItemIndex(kRuleCreateAndGo);
  RuleOwnerComboBox->SetItemIndex(kRuleOwnerAcl);
  SetNoSelection();
  FirstRead();
}

void TCPUFilterRuleForm::ClearRuleEdits() {
  ProfileIDEdit->SetText("");
  AccessEdit->SetText("");
  for (const TField& f : fields_)
    if (f.Edit) (*f.Edit)->SetText("");
  SetTicks(false);
  if (PortFrame) PortFrame->ClearPorts();
  ShowCount();
}

bool TCPUFilterRuleForm::ValidateFieldValues() { return true; }

bool TCPUFilterRuleForm::ValidateRuleInput() {
  if (!CheckKeys()) return false;
  for (const auto& [box, control] : checks_)
    if (!TickedFieldFilled(box, control, kFieldEmpty)) return false;
  return ValidateFieldValues() && CheckPortSelected();
}

void TCPUFilterRuleForm::SetTicks(bool checked) {
  for (TCheckBox* box : ticks_) box->SetChecked(checked);
}

void TCPUFilterRuleForm::AddCheckButtonClick(TObject*) { SetTicks(true); }

void TCPUFilterRuleForm::CleanCheButtonClick(TObject*) { SetTicks(false); }

void TCPUFilterRuleForm::Button1Click(TObject*) { Close(); }
