// The login method lists: per list name up to four authentication methods
// that the device tries in order.
#pragma once

#include "forms/security/MethodListForm.h"

class TLoginMethodListForm : public TMethodListForm {
 public:
  explicit TLoginMethodListForm(TComponent* AOwner);
  ~TLoginMethodListForm() override;

  TListView* ListView1 = nullptr;
  TLabel* Label1 = nullptr;  // "AAC Login Method List Name"
  TEdit* ListnameEdit = nullptr;
  TLabel* Label2 = nullptr;  // "Method1 Type" .. Label9 "Method4 Server Group"
  TComboBox* ComboBoxType1 = nullptr;
  TLabel* Label3 = nullptr;
  TEdit* Server1Edit = nullptr;
  TLabel* Label4 = nullptr;
  TComboBox* ComboBoxType2 = nullptr;
  TLabel* Label5 = nullptr;
  TEdit* Server2Edit = nullptr;
  TLabel* Label6 = nullptr;
  TComboBox* ComboBoxType3 = nullptr;
  TLabel* Label7 = nullptr;
  TEdit* Server3Edit = nullptr;
  TLabel* Label8 = nullptr;
  TComboBox* ComboBoxType4 = nullptr;
  TLabel* Label9 = nullptr;
  TEdit* Server4Edit = nullptr;
  TLabel* Label10 = nullptr;  // "Row Status"
  TComboBox* RowComboBox = nullptr;
  TStatusBar* StatusBar1 = nullptr;
  TStaticText* StaticText1 = nullptr;
  TButton* GetButton = nullptr;
  TButton* EditButton = nullptr;
  TButton* AddButton = nullptr;
  TButton* DeleteButton = nullptr;

  void ComboBoxType1Change(TObject*) { TypeChanged(0); }
  void ComboBoxType2Change(TObject*) { TypeChanged(1); }
  void ComboBoxType3Change(TObject*) { TypeChanged(2); }
  void ComboBoxType4Change(TObject*) { TypeChanged(3); }

 private:
  void InitComponents();
};

extern TLoginMethodListForm* LoginMethodListForm;
