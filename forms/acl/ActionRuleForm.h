// What the Ethernet, IPv6 and packet-content rule forms share beyond every
// rule form: besides permit or deny, a rule sets a new priority, replaces the
// DSCP and limits the receive rate, each with its tick box. The replace-DSCP
// rows' tick boxes carry their captions.
//
// A form of the family still writes itself what TAccessRuleForm asks of it,
// its priority selector (its name differs) passed to SetRuleActions, and
// where its replace-DSCP rows stand.
#pragma once

#include "forms/acl/AccessRuleForm.h"

struct TFieldLayout;
struct TRect;

class TActionRuleForm : public TAccessRuleForm {
 public:
  ~TActionRuleForm() override;

  TCheckBox* cbxEnablePriority = nullptr;
  TCheckBox* cbxPriority = nullptr;
  TEdit* PriorityEdit = nullptr;
  TCheckBox* cbxRxRate = nullptr;
  TEdit* RxRateEdit = nullptr;
  TCheckBox* cbxEnableReplaceDSCP = nullptr;
  TComboBox* EnableReplaceDSCPComboBox = nullptr;
  TCheckBox* cbxEnableDSCPValue = nullptr;
  TEdit* DSCPEdit = nullptr;

  void EnableReplaceDSCPComboBoxChange(TObject* Sender);

 protected:
  explicit TActionRuleForm(TComponent* AOwner);

  // Rule.Actions from these controls and the priority selector.
  void SetRuleActions(TComboBox* enablePriority);
  // The replace-DSCP rows at `top`, under `layout`'s columns, the tick boxes
  // 140 wide and the fields `fieldWidth` wide (the layout's when 0).
  TRect BuildReplaceDscpRows(TFormBuilder& B, const TFieldLayout& layout, int top,
                             int fieldWidth = 0);
  // Check All's replace-DSCP part: with replacing enabled, both boxes
  // enabled and ticked.
  void TickReplaceDscpWhenEnabled();
  // The checks after the match fields: the priority pair, permit and the Rx
  // rate filled (`message`), the Rx rate in range, row status filled
  // (`message`), the replace-DSCP pair filled ("Some check field is empty"),
  // then the ports.
  bool ValidateActionFields(TComboBox* enablePriority, const char* message);
};
