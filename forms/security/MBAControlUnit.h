// MAC-based access control, global settings: the state, the authentication
// method and password, and the VLAN (name and member ports) with its
// deletion.
#pragma once

#include <memory>

#include "forms/security/VlanPortsSettingsForm.h"

class TMBAControlForm : public TVlanPortsSettingsForm {
 public:
  explicit TMBAControlForm(TComponent* AOwner);
  ~TMBAControlForm() override;

  TLabel* Label2 = nullptr;
  TLabel* Label3 = nullptr;
  TLabel* Label4 = nullptr;
  TComboBox* Cbox_State = nullptr;
  TComboBox* Cbox_Method = nullptr;
  TEdit* edtPassWord = nullptr;
  // Kept hidden, beside the delete combo box.
  TLabel* Label5 = nullptr;

  void FormCreate(TObject* Sender) override;
  void BT_GetClick(TObject* Sender) override;
  void SetBtnClick(TObject* Sender) override;

  // Owned by the form; null once the form has closed.
  std::unique_ptr<VnSNMPRequest2Edits> GlobalRequest;

 protected:
  void StopRequests() override;
};

extern TMBAControlForm* MBAControlForm;
