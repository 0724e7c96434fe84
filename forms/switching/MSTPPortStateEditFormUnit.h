// The edit dialog of the port state list: one port's spanning-tree
// settings. It has no request of its own: its controls are bound to the list
// form's port table request, and Set writes through it.
#pragma once

#include "platform/Forms.h"

class TButton;
class TComboBox;
class TEdit;
class TLabel;

class TMSTPPortStateEditForm : public TForm {
 public:
  explicit TMSTPPortStateEditForm(TComponent* AOwner);
  ~TMSTPPortStateEditForm() override;

  TEdit* edtPortIndex = nullptr;
  TEdit* edtAdminHelloTime = nullptr;
  TEdit* edtOperHelloTime = nullptr;
  TComboBox* cbxPortEnable = nullptr;
  TEdit* edtExtPathCost = nullptr;
  TComboBox* cbxMigration = nullptr;
  TComboBox* cbxAdminEdgePort = nullptr;
  TComboBox* cbxOperEdgePort = nullptr;
  TComboBox* cbxAdminP2P = nullptr;
  TComboBox* cbxOperP2P = nullptr;
  TComboBox* cbxSTPRole = nullptr;
  TComboBox* cbxSTPTCN = nullptr;
  // Kept hidden: "Loopback Detection" (bound) and "BPDU Filtering" (unbound).
  TComboBox* cbxSTPlbd = nullptr;
  TComboBox* cbxBPDUFlt = nullptr;
  TButton* btnEdit = nullptr;  // "Set"
  TButton* btnClose = nullptr;

  void FormActivate(TObject* Sender);
  void btnEditClick(TObject* Sender);
  void btnCloseClick(TObject* Sender);

 private:
  void BuildComponents();
};

// Created by the list form when it is created, deleted when it closes.
extern TMSTPPortStateEditForm* MSTPPortStateEditForm;
