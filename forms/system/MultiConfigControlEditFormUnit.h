// The edit dialog of the configuration control list: the chosen
// configuration and its action. It has no request of its own: its combo
// boxes are bound to the list form's request, and Set writes through it.
// Activating a configuration waits behind a progress dialog.
#pragma once

#include "platform/Forms.h"

class TButton;
class TComboBox;
class TLabel;
class VnSNMPRequest2Controls;

class TMultiConfigControlEditForm : public TForm {
 public:
  explicit TMultiConfigControlEditForm(TComponent* AOwner);
  ~TMultiConfigControlEditForm() override;

  TLabel* Label1 = nullptr;  // "Config Control ID"
  TLabel* Label2 = nullptr;  // "Config Action"
  TComboBox* cbxCtrlID = nullptr;
  TComboBox* cbxCfgAction = nullptr;
  TButton* btnSet = nullptr;
  TButton* btnClose = nullptr;

  void FormCreate(TObject* Sender);
  void btnSetClick(TObject* Sender);
  void btnCloseClick(TObject* Sender);

 private:
  void InitComponents();
  void WaitForActivation(VnSNMPRequest2Controls& request);
};

// Created by the list form when it is created, deleted when it closes.
extern TMultiConfigControlEditForm* MultiConfigControlEditForm;
