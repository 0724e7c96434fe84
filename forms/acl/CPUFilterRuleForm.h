// What the CPU-filter rule forms share: the keys (profile ID and access ID,
// 1 to 200), a column of fields each with a tick box, the permit and
// row-status choices, the buttons of the rule forms plus "Close", and no
// priority, replace-DSCP or rate fields. Only ticked fields are written; the
// ports always are, also by Delete.
//
// A form of the family still writes itself: its field members, the table's
// items and bindings and its layout data (BuildRuleForm), the order of the
// empty-field check, and, where it has them, the VLAN an Add requires, the
// checks of ValidateFieldValues and the masks of ApplyFieldMasks.
#pragma once

#include <vector>

#include "forms/acl/AccessRuleForm.h"

class TButton;

class TCPUFilterRuleForm : public TAccessRuleForm {
 public:
  ~TCPUFilterRuleForm() override;

  TButton* AddCheckButton = nullptr;
  TButton* CleanCheButton = nullptr;
  TButton* Button1 = nullptr;  // "Close"
  TEdit* ProfileIDEdit = nullptr;
  TEdit* AccessEdit = nullptr;
  TComboBox* RuleOwnerComboBox = nullptr;  // never shown, not bound

  void FormCreate(TObject* Sender) override;
  void AddCheckButtonClick(TObject* Sender);
  void CleanCheButtonClick(TObject* Sender);
  void Button1Click(TObject* Sender);

  void ClearRuleEdits() override;
  bool ValidateRuleInput() override;

 protected:
  explicit TCPUFilterRuleForm(TComponent* AOwner);

  // One field of the rule: its label, tick box and edit or drop-down list
  // (members of the form, created by BuildRuleForm), the item and, for an
  // edit, the edit constraint.
  struct TField {
    const char* Label;
    TCheckBox** Tick;
    const char* TickName;
    TEdit** Edit;
    const char* EditName;
    int Item;
    const char* Binding;
    TComboBox** Combo = nullptr;  // instead of Edit
  };
  struct TRuleLayout {
    const char* FormName;
    const char* Caption;
    int Width;
    int Height;
    const VnSNMPVarDesc* Table;
    int PermitItem;
    int RowStatusItem;
    int PortItem;
    int ListHeight = 150;
    int FieldWidth = 230;
    int ColumnGap = 24;
    // The permit value is written whether its box is ticked or not.
    bool PermitAlwaysWritten = false;
  };
  // Builds and scales the components, the fields in their order of display,
  // and sets the shared rule settings. `checkOrder`: the fields' tick-box
  // members in the order of the empty-field check (permit and row status
  // follow).
  void BuildRuleForm(const TRuleLayout& layout, const std::vector<TField>& fields,
                     const std::vector<TCheckBox**>& checkOrder);
  // The form's own checks of the ticked values, after the empty-field check
  // and before the ports'; true by default.
  virtual bool ValidateFieldValues();

 private:
  const VnSNMPVarDesc* table_ = nullptr;
  int permitItem_ = 0;
  std::vector<TField> fields_;
  // Tick box and control of the empty-field check, in order.
  std::vector<std::pair<TCheckBox*, TWinControl*>> checks_;
  // Every tick box, in the order of display: Check All and Clear Checks.
  std::vector<TCheckBox*> ticks_;
  void SetTicks(bool checked);
};
