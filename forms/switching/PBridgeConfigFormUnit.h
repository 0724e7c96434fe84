// The bridge's 802.1P device capabilities and whether traffic classes are
// enabled; read only.
#pragma once

#include <memory>

#include "platform/Forms.h"

class TButton;
class TComboBox;
class TLabel;
class TMemo;
class TStaticText;
class VnSNMPRequest2Edits;

class TPBridgeConfigForm : public TForm {
 public:
  explicit TPBridgeConfigForm(TComponent* AOwner);
  ~TPBridgeConfigForm() override;

  TLabel* Label1 = nullptr;  // "Device Capabilities"
  TStaticText* Edit_DeviceCapabilities = nullptr;
  TLabel* Label2 = nullptr;                  // "Traffic Classes State"
  TComboBox* TrafficClassesState = nullptr;  // disabled: shows the value only
  TLabel* Label3 = nullptr;                  // "GMRP Status", kept hidden
  TComboBox* GmrpStatus = nullptr;           // kept hidden, not bound
  TButton* BT_Get = nullptr;
  TButton* BT_Set = nullptr;  // kept hidden
  TMemo* Memo1 = nullptr;

  void FormCreate(TObject* Sender);
  void BT_GetClick(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);

  // Both asynchronous; owned by the form and released, once idle, when it
  // closes.
  std::unique_ptr<VnSNMPRequest2Edits> DeviceCapabilitiesRequest;
  std::unique_ptr<VnSNMPRequest2Edits> TrafficClassesRequest;

 private:
  void InitComponents();
  void Read(VnSNMPRequest2Edits* request);
};

extern TPBridgeConfigForm* PBridgeConfigForm;
