// What the CPU-filter rule forms without a VLAN key share: the keys
// (profile ID and access ID, 1 to 200), a column of edit fields each with a
// tick box, the permit and row-status choices, the buttons of the rule forms
// plus "Close", and no priority, replace-DSCP or rate fields. A form names
// its fields and their check order; everything else is here. Only ticked
// fields are written; the ports always are, also by Delete.
#pragma once

#include <vector>

#include "forms/acl/AccessRuleForm.h"

class TButton;
class TPanel;
class TStaticText;

class TCPUFilterRuleForm : public TAccessRuleForm {
 public:
  ~TCPUFilterRuleForm() override;

  TPanel* Panel1 = nullptr;  // button column
  TButton* GetButton = nullptr;
  TButton* EditButton = nullptr;
  TButton* AddButton = nullptr;
  TButton* DeleteButton = nullptr;
  TStaticText* StaticText1 = nullptr;
  TButton* AddCheckButton = nullptr;
  TButton* CleanCheButton = nullptr;
  TButton* Button1 = nullptr;  // "Close"
  TPanel* Panel2 = nullptr;    // list, fields and ports
  TListView* ListView1 = nullptr;
  TEdit* ProfileIDEdit = nullptr;
  TEdit* AccessEdit = nullptr;
  TCheckBox* cbxPermit = nullptr;
  TComboBox* PermitComboBox = nullptr;
  TCheckBox* cbxRow = nullptr;
  TComboBox* RowComboBox = nullptr;
  TComboBox* RuleOwnerComboBox = nullptr;  // never shown, not bound
  TPanel* StackingPortPanel = nullptr;
  TStatusBar* StatusBar1 = nullptr;

  void FormCreate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void GetButtonClick(TObject* Sender);
  void AddButtonClick(TObject* Sender);
  void EditButtonClick(TObject* Sender);
  void DeleteButtonClick(TObject* Sender);
  void AddCheckButtonClick(TObject* Sender);
  void CleanCheButtonClick(TObject* Sender);
  void ListView1Click(TObject* Sender);
  void ListView1Change(TObject* Sender, TListItem* Item, TItemChange Change);
  void PermitComboBoxChange(TObject* Sender);
  void Button1Click(TObject* Sender);

  void ClearRuleEdits() override;
  bool ValidateRuleInput() override;

 protected:
  explicit TCPUFilterRuleForm(TComponent* AOwner);

  // One edit field of the rule: its label, tick box and edit (members of the
  // form, created by BuildRuleForm), the item and the edit constraint.
  struct TField {
    const char* Label;
    TCheckBox** Tick;
    const char* TickName;
    TEdit** Edit;
    const char* EditName;
    int Item;
    const char* Binding;
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
  };
  // Builds and scales the components, the fields in their order of display,
  // and sets the shared rule settings. `checkOrder`: the fields' tick-box
  // members in the order of the empty-field check (permit and row status
  // follow).
  void BuildRuleForm(const TRuleLayout& layout, const std::vector<TField>& fields,
                     const std::vector<TCheckBox**>& checkOrder);

 private:
  const VnSNMPVarDesc* table_ = nullptr;
  int permitItem_ = 0;
  std::vector<TField> fields_;
  // Tick box and control of the empty-field check, in order.
  std::vector<std::pair<TCheckBox*, TWinControl*>> checks_;
  std::vector<TCheckBox*> Ticks() const;
};
