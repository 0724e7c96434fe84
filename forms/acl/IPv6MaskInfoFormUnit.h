// IPv6 access profiles: lists the device's IPv6 profiles (traffic class,
// flow label and the IPv6 address masks), adds one and deletes one.
#pragma once

#include "forms/acl/AccessProfileForm.h"
#include "platform/ComCtrls.h"  // TItemChange

class TButton;
class TPanel;
class TStaticText;

class TIPv6MaskInfoForm : public TAccessProfileForm {
 public:
  explicit TIPv6MaskInfoForm(TComponent* AOwner);
  ~TIPv6MaskInfoForm() override;

  TPanel* Panel1 = nullptr;  // button column
  TButton* GetButton = nullptr;
  TButton* AddButton = nullptr;
  TButton* DeleteButton = nullptr;
  TButton* EditButton = nullptr;  // never shown
  TStaticText* Static = nullptr;  // never shown: the row count
  TPanel* Panel2 = nullptr;
  TListView* ListView1 = nullptr;
  TEdit* edtMaskID = nullptr;
  TComboBox* cbxMaskClass = nullptr;
  TComboBox* cbxMaskFlowlabel = nullptr;
  TComboBox* cbxMaskState = nullptr;
  TEdit* edtSrcMask = nullptr;
  TEdit* edtDstMask = nullptr;
  TComboBox* cbxStatus = nullptr;
  TComboBox* cbxOwner = nullptr;
  TEdit* EntiesEdit = nullptr;
  TStatusBar* StatusBar1 = nullptr;

  void FormCreate(TObject* Sender);
  void GetButtonClick(TObject* Sender);
  void AddButtonClick(TObject* Sender);
  void DeleteButtonClick(TObject* Sender);
  void ListView1Change(TObject* Sender, TListItem* Item, TItemChange Change);
  void ListView1Click(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);

  void ClearMaskEdits() override;
  bool ValidateMaskInput();
  // The mask checks and the access words of an Add; false (message shown,
  // focus on the mask edit) when a mask is not 32 hex digits.
  bool PrepareIpv6MaskWrite(TSavedAccess& saved);

 private:
  void BuildComponents();
};

extern TIPv6MaskInfoForm* IPv6MaskInfoForm;
