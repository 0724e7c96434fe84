// The Ethernet profiles of IP-MAC binding, read only.
#pragma once

#include "forms/acl/IBPViewForm.h"

class TButton;
class TPanel;

class TIBPACLEtherMaskForm : public TIBPViewForm {
 public:
  explicit TIBPACLEtherMaskForm(TComponent* AOwner);
  ~TIBPACLEtherMaskForm() override;

  TPanel* Panel1 = nullptr;  // button column
  TButton* BT_Get = nullptr;
  TListView* ListView1 = nullptr;
  TEdit* edtID = nullptr;
  TComboBox* cbxEtherType = nullptr;
  TStatusBar* StatusBar1 = nullptr;

  void FormCreate(TObject* Sender);
  void BT_GetClick(TObject* Sender);
  void ListView1Click(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);

 private:
  void BuildComponents();
};

extern TIBPACLEtherMaskForm* IBPACLEtherMaskForm;
