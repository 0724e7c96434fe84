#include "forms/acl/ActionRuleForm.h"

#include "forms/common/FeatureForm.h"
#include "platform/FormBuilder.h"
#include "platform/Layout.h"
#include "platform/StdCtrls.h"

TActionRuleForm::TActionRuleForm(TComponent* AOwner) : TAccessRuleForm(AOwner) {}

TActionRuleForm::~TActionRuleForm() = default;

void TActionRuleForm::EnableReplaceDSCPComboBoxChange(TObject*) { ReplaceDscpChange(); }

void TActionRuleForm::SetRuleActions(TComboBox* enablePriority) {
  Rule.Actions = {enablePriority,
                  cbxPriority,
                  PriorityEdit,
                  EnableReplaceDSCPComboBox,
                  cbxEnableReplaceDSCP,
                  cbxEnableDSCPValue,
                  DSCPEdit,
                  cbxRxRate,
                  RxRateEdit};
}

TRect TActionRuleForm::BuildReplaceDscpRows(TFormBuilder& B, const TFieldLayout& layout, int top,
                                            int fieldWidth) {
  B.Add(cbxEnableReplaceDSCP, "cbxEnableReplaceDSCP").Caption(" Enable Replace DSCP").Width(140);
  B.Add(EnableReplaceDSCPComboBox, "EnableReplaceDSCPComboBox")
      .Style(csDropDownList)
      .OnChange(this, &TActionRuleForm::EnableReplaceDSCPComboBoxChange);
  B.Add(cbxEnableDSCPValue, "cbxEnableDSCPValue").Caption(" Replace DSCP Value").Width(140);
  B.Add(DSCPEdit, "DSCPEdit");
  if (fieldWidth) {
    EnableReplaceDSCPComboBox->SetWidth(fieldWidth);
    DSCPEdit->SetWidth(fieldWidth);
  }
  TFieldLayout dscp = layout;
  dscp.Top = top;
  return ArrangeFieldRows({{nullptr, EnableReplaceDSCPComboBox, cbxEnableReplaceDSCP},
                           {nullptr, DSCPEdit, cbxEnableDSCPValue}},
                          dscp);
}

void TActionRuleForm::TickReplaceDscpWhenEnabled() {
  if (ComboText(EnableReplaceDSCPComboBox) != "enabled") return;
  for (TCheckBox* box : {cbxEnableReplaceDSCP, cbxEnableDSCPValue}) {
    box->SetEnabled(true);
    box->SetChecked(true);
  }
}

bool TActionRuleForm::ValidateActionFields(TComboBox* enablePriority, const char* message) {
  return TickedFieldsFilled({{cbxEnablePriority, enablePriority},
                             {cbxPriority, PriorityEdit},
                             {cbxPermit, PermitComboBox},
                             {cbxRxRate, RxRateEdit}},
                            message) &&
         RxRateInRange() && TickedFieldFilled(cbxRow, RowComboBox, message) &&
         TickedFieldsFilled(
             {{cbxEnableReplaceDSCP, EnableReplaceDSCPComboBox}, {cbxEnableDSCPValue, DSCPEdit}},
             "Some check field is empty") &&
         CheckPortSelected();
}
