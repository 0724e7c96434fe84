// What the IPv6 and packet-content profile forms share beyond every profile
// form: their components' names (the row count goes to the hidden "Static",
// Profile.Count), Refresh, the list's click, and closing with the selection
// cleared first.
//
// A form of the family still writes itself: its components' layout, its
// profile fields, FormCreate, ClearMaskEdits, its checks, Add and Delete.
#pragma once

#include "forms/acl/AccessProfileForm.h"

class TButton;
class TPanel;
class TStaticText;

class TProfileListForm : public TAccessProfileForm {
 public:
  ~TProfileListForm() override;

  TPanel* Panel1 = nullptr;  // button column
  TButton* GetButton = nullptr;
  TButton* AddButton = nullptr;
  TButton* DeleteButton = nullptr;
  TStaticText* Static = nullptr;  // never shown: the row count
  TPanel* Panel2 = nullptr;
  TListView* ListView1 = nullptr;
  TComboBox* cbxStatus = nullptr;
  TComboBox* cbxOwner = nullptr;
  TEdit* EntiesEdit = nullptr;
  TStatusBar* StatusBar1 = nullptr;

  void GetButtonClick(TObject* Sender);
  void ListView1Click(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);

 protected:
  explicit TProfileListForm(TComponent* AOwner);
};
