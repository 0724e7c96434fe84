// The enable method lists: per list name up to four methods that the device
// tries in order when a user asks for administrator rights.
#pragma once

#include "forms/security/MethodListForm.h"

class TEnableMethodForm : public TMethodListForm {
 public:
  explicit TEnableMethodForm(TComponent* AOwner);
  ~TEnableMethodForm() override;

  TPanel* Panel1 = nullptr;  // the edits at the bottom
  TEdit* NameEdit = nullptr;
  TComboBox* Type1ComboBox = nullptr;
  TEdit* ServerGroupEdit1 = nullptr;
  TComboBox* Type2ComboBox = nullptr;
  TEdit* ServerGroupEdit2 = nullptr;
  TComboBox* Type3ComboBox = nullptr;
  TEdit* ServerGroupEdit3 = nullptr;
  TComboBox* Type4ComboBox = nullptr;
  TEdit* ServerGroupEdit4 = nullptr;

  void Type1ComboBoxChange(TObject*) { TypeChanged(0); }
  void Type2ComboBoxChange(TObject*) { TypeChanged(1); }
  void Type3ComboBoxChange(TObject*) { TypeChanged(2); }
  void Type4ComboBoxChange(TObject*) { TypeChanged(3); }

 private:
  void InitComponents();
};

extern TEnableMethodForm* EnableMethodForm;
