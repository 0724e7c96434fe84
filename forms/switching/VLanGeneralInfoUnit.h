// The bridge's global 802.1Q settings: VLAN version, limits and current
// count (read only) and the global GVRP status, the one value written.
#pragma once

#include <memory>

#include "platform/Forms.h"

class TButton;
class TComboBox;
class TLabel;
class TMemo;
class TStaticText;
class VnSNMPRequest2Edits;

class TVLanGeneralInfoForm : public TForm {
 public:
  explicit TVLanGeneralInfoForm(TComponent* AOwner);
  ~TVLanGeneralInfoForm() override;

  TLabel* Label1 = nullptr;  // "VLAN Version Number"
  TStaticText* VlanVersionNumber = nullptr;
  TLabel* Label2 = nullptr;  // "Max VLAN ID"
  TStaticText* MaxVlanId = nullptr;
  TLabel* Label3 = nullptr;  // "Max Supported VLANs"
  TStaticText* MaxSupportedVlans = nullptr;
  TLabel* Label4 = nullptr;  // "Current Num Of VLANs"
  TStaticText* CurrentNumOfVlans = nullptr;
  TLabel* Label5 = nullptr;  // "GVRP Status"
  TComboBox* GvrpStatus = nullptr;
  TButton* RefreshBtn = nullptr;
  TButton* SetBtn = nullptr;
  TMemo* Memo1 = nullptr;

  void FormCreate(TObject* Sender);
  void RefreshBtnClick(TObject* Sender);
  void SetBtnClick(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);

  // Asynchronous; owned by the form and released, once idle, when it closes.
  std::unique_ptr<VnSNMPRequest2Edits> Request;

 private:
  void InitComponents();
};

extern TVLanGeneralInfoForm* VLanGeneralInfoForm;
