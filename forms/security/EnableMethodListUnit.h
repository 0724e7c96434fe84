// The enable method lists: per list name up to four methods that the device
// tries in order when a user asks for administrator rights.
#pragma once

#include "forms/security/MethodListForm.h"

class TEnableMethodForm : public TMethodListForm {
 public:
  explicit TEnableMethodForm(TComponent* AOwner);
  ~TEnableMethodForm() override;

  TListView* ListView1 = nullptr;
  TPanel* Panel1 = nullptr;  // the edits at the bottom
  TLabel* Label1 = nullptr;  // "Enable MethodList Name"
  TEdit* NameEdit = nullptr;
  TLabel* Label2 = nullptr;  // "Enable Method1 Type" .. Label9 "Enable Method4 Server Group"
  TComboBox* Type1ComboBox = nullptr;
  TLabel* Label3 = nullptr;
  TEdit* ServerGroupEdit1 = nullptr;
  TLabel* Label4 = nullptr;
  TComboBox* Type2ComboBox = nullptr;
  TLabel* Label5 = nullptr;
  TEdit* ServerGroupEdit2 = nullptr;
  TLabel* Label6 = nullptr;
  TComboBox* Type3ComboBox = nullptr;
  TLabel* Label7 = nullptr;
  TEdit* ServerGroupEdit3 = nullptr;
  TLabel* Label8 = nullptr;
  TComboBox* Type4ComboBox = nullptr;
  TLabel* Label9 = nullptr;
  TEdit* ServerGroupEdit4 = nullptr;
  TLabel* Label10 = nullptr;  // "Row Status"
  TComboBox* RowComboBox = nullptr;
  TStatusBar* StatusBar1 = nullptr;
  TStaticText* StaticText1 = nullptr;
  TButton* GetButton = nullptr;
  TButton* EditButton = nullptr;
  TButton* AddButton = nullptr;
  TButton* DeleteButton = nullptr;

  void Type1ComboBoxChange(TObject*) { TypeChanged(0); }
  void Type2ComboBoxChange(TObject*) { TypeChanged(1); }
  void Type3ComboBoxChange(TObject*) { TypeChanged(2); }
  void Type4ComboBoxChange(TObject*) { TypeChanged(3); }

 private:
  void InitComponents();
};

extern TEnableMethodForm* EnableMethodForm;
