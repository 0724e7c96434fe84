// The switch's equipment information: its capacity and the stacking
// topology, read-only, with one "Refresh" button. The request is synchronous;
// its status lines go to the memo below the fields.
#pragma once

#include <memory>

#include "platform/Forms.h"

class TBitBtn;
class TComboBox;
class TEdit;
class TLabel;
class TMemo;
class VnSNMPRequest2Edits;

class TEquipmentBasicInfoForm : public TForm {
 public:
  explicit TEquipmentBasicInfoForm(TComponent* AOwner);
  ~TEquipmentBasicInfoForm() override;

  TLabel* Label1 = nullptr;  // "Equipment Capacity"
  TEdit* Edit1 = nullptr;
  TLabel* Label2 = nullptr;  // "Max Supported Units" (hidden)
  TEdit* Edit2 = nullptr;
  TLabel* Label3 = nullptr;  // "Number Of Unit" (hidden)
  TEdit* Edit3 = nullptr;
  TLabel* Label4 = nullptr;  // "Stacking Version" (hidden)
  TEdit* Edit4 = nullptr;
  TLabel* Label5 = nullptr;  // "Topology"
  TComboBox* cbxTopology = nullptr;
  TLabel* Label6 = nullptr;  // "Stack Mode" (hidden)
  TComboBox* cbxStackMode = nullptr;
  TBitBtn* BitBtn1 = nullptr;  // "Refresh"
  TBitBtn* bbtnSet = nullptr;  // "Set", never shown
  TMemo* Memo1 = nullptr;

  // Owned by the form; created in FormCreate, deleted when the form closes.
  std::unique_ptr<VnSNMPRequest2Edits> Request;

  void FormCreate(TObject* Sender);
  void BitBtn1Click(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);

 private:
  void InitComponents();
  // One synchronous read; a failure becomes a status line in the memo.
  void ReadDevice();
};

extern TEquipmentBasicInfoForm* EquipmentBasicInfoForm;
