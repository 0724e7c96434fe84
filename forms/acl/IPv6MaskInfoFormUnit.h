// IPv6 access profiles: lists the device's IPv6 profiles (traffic class,
// flow label and the IPv6 address masks), adds one and deletes one.
#pragma once

#include "forms/acl/ProfileListForm.h"

class TButton;

class TIPv6MaskInfoForm : public TProfileListForm {
 public:
  explicit TIPv6MaskInfoForm(TComponent* AOwner);
  ~TIPv6MaskInfoForm() override;

  TButton* EditButton = nullptr;  // never shown
  TEdit* edtMaskID = nullptr;
  TComboBox* cbxMaskClass = nullptr;
  TComboBox* cbxMaskFlowlabel = nullptr;
  TComboBox* cbxMaskState = nullptr;
  TEdit* edtSrcMask = nullptr;
  TEdit* edtDstMask = nullptr;

  void FormCreate(TObject* Sender);
  void AddButtonClick(TObject* Sender);
  void DeleteButtonClick(TObject* Sender);

  void ClearMaskEdits() override;
  bool ValidateMaskInput();
  // The mask checks and the access words of an Add; false (message shown,
  // focus on the mask edit) when a mask is not 32 hex digits.
  bool PrepareIpv6MaskWrite(TSavedAccess& saved);

 private:
  void BuildComponents();
};

extern TIPv6MaskInfoForm* IPv6MaskInfoForm;
