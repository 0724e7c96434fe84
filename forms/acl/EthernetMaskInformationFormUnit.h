// Ethernet access profiles: lists the device's Ethernet profiles (VLAN,
// MAC addresses, 802.1p and Ethernet type fields, with the MAC masks), adds
// one and deletes one.
#pragma once

#include "forms/acl/AccessProfileForm.h"

class TBitBtn;
class TButton;
class TPanel;

class TEthernetMaskInformationForm : public TAccessProfileForm {
 public:
  explicit TEthernetMaskInformationForm(TComponent* AOwner);
  ~TEthernetMaskInformationForm() override;

  TPanel* Panel1 = nullptr;  // button column
  TButton* BT_Get = nullptr;
  TButton* AddBtn = nullptr;
  TButton* BT_Delete = nullptr;
  TBitBtn* SetBtn = nullptr;  // never shown
  TPanel* Panel2 = nullptr;
  TListView* ListView1 = nullptr;
  TEdit* IDEdit = nullptr;
  TComboBox* UseVLanComBo = nullptr;
  TComboBox* MacMaskStateComBo = nullptr;
  TEdit* MacAddMaskSourceEdit = nullptr;
  TEdit* MacMaskDstEdit = nullptr;
  TComboBox* Use8021pComBo = nullptr;
  TComboBox* UseEthTypeCombo = nullptr;
  TComboBox* RowStatusComBo = nullptr;
  TComboBox* cbxOwner = nullptr;
  TEdit* EntiesEdit = nullptr;
  TStatusBar* StatusBar1 = nullptr;

  void FormCreate(TObject* Sender);
  void BT_GetClick(TObject* Sender);
  void AddBtnClick(TObject* Sender);
  void BT_DeleteClick(TObject* Sender);
  void ListView1Click(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);

  void ClearMaskEdits() override;
  bool ValidateMaskInput();
  void WriteMask();

 private:
  void BuildComponents();
};
