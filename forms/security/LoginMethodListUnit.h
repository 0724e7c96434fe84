// The login method lists: per list name up to four authentication methods
// that the device tries in order.
#pragma once

#include "forms/security/MethodListForm.h"

class TLoginMethodListForm : public TMethodListForm {
 public:
  explicit TLoginMethodListForm(TComponent* AOwner);
  ~TLoginMethodListForm() override;

  TEdit* ListnameEdit = nullptr;
  TComboBox* ComboBoxType1 = nullptr;
  TEdit* Server1Edit = nullptr;
  TComboBox* ComboBoxType2 = nullptr;
  TEdit* Server2Edit = nullptr;
  TComboBox* ComboBoxType3 = nullptr;
  TEdit* Server3Edit = nullptr;
  TComboBox* ComboBoxType4 = nullptr;
  TEdit* Server4Edit = nullptr;

  void ComboBoxType1Change(TObject*) { TypeChanged(0); }
  void ComboBoxType2Change(TObject*) { TypeChanged(1); }
  void ComboBoxType3Change(TObject*) { TypeChanged(2); }
  void ComboBoxType4Change(TObject*) { TypeChanged(3); }

 private:
  void InitComponents();
};

extern TLoginMethodListForm* LoginMethodListForm;
